#include "reports/DatePieces.h"

#include <algorithm>

std::vector<std::pair<QDate, QDate>> DatePieces(const QDate& from, const QDate& to, int days)
{
    std::vector<std::pair<QDate, QDate>> pieces;
    for (QDate first = from; first.isValid() && first <= to; first = first.addDays(days))
        pieces.emplace_back(first, std::min(to, first.addDays(days - 1)));
    return pieces;
}
