#pragma once
// A period cut into pieces of a few days: the back office reads the call log a
// piece per statement, so that no statement holds the call log for long and a
// call-log write never waits more than a moment.
#include <QDate>
#include <utility>
#include <vector>

constexpr int DaysPerPiece = 1;

// from..to (both included) in pieces of at most days days, in order; none when from is after to.
std::vector<std::pair<QDate, QDate>> DatePieces(const QDate& from, const QDate& to, int days = DaysPerPiece);
