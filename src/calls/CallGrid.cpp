#include "calls/CallGrid.h"

#include "core/CoreTexts.h"
#include "core/ResStrings.h"

#include <algorithm>

TCallGrid::TCallGrid()
{
    // Header texts by column; the identity column has none.
    static constexpr int kHeaders[] = {TxtColumnCallDate, TxtColumnCallTime, TxtColumnCallArea, TxtColumnCallPosition,
                                        TxtColumnServiceType, TxtColumnServer, TxtColumnHandledTime,
                                        TxtColumnServiceTime, TxtColumnServiceState, TxtColumnHandler};
    TCallGridRow header;
    for (int col = 0; col < ColIdentity; ++col)
        header[col] = LoadResStr(kHeaders[col]);
    rows_.push_back(header);
    rows_.emplace_back();
}

bool TCallGrid::SetCell(int row, int col, const QString& text)
{
    QString& cell = rows_[row][col];
    if (cell == text)
        return false;
    cell = text;
    ++revision_;
    return true;
}

void TCallGrid::InsertAtTop(const TCallGridRow& row, int maxRows)
{
    if (!rows_[1][ColState].isEmpty()) {
        if (RowCount() <= maxRows)
            rows_.emplace_back();
        std::move_backward(rows_.begin() + 1, rows_.end() - 1, rows_.end());
    }
    rows_[1] = row;
    ++revision_;
}

void TCallGrid::RemoveRow(int row)
{
    if (RowCount() > 2)
        rows_.erase(rows_.begin() + row);
    else
        rows_[row] = TCallGridRow{};
    ++revision_;
}

int TCallGrid::FindIdentity(const QString& id) const
{
    if (id.isEmpty())
        return -1;
    for (int r = 1; r < RowCount(); ++r) {
        if (rows_[r][ColIdentity] == id)
            return r;
    }
    return -1;
}
