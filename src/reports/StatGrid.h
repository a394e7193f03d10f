#pragma once
// The statistics window's result grid: row 0 the column titles, then one row
// per group, the last row the totals. Cells are typed (Cells.h) so that the
// screen, the charts, the print-out and the exports read the same values.
#include "reports/Cells.h"

#include <QVariant>
#include <vector>

struct TStatGrid {
    std::vector<TCellKind> Kinds;                  // per column
    std::vector<std::vector<QVariant>> Rows;       // Rows[0]: titles (texts)

    int RowCount() const { return static_cast<int>(Rows.size()); }
    int ColumnCount() const { return static_cast<int>(Kinds.size()); }
    // Groups are rows 1 to RowCount - 2; a report without calls has none.
    int GroupCount() const { return RowCount() > 2 ? RowCount() - 2 : 0; }
    QString Text(int row, int column, const QString& dateFormat) const;
    qint64 Number(int row, int column) const { return Rows[row][column].toLongLong(); }
};

// Before the first report: five columns, one empty row.
TStatGrid EmptyStatGrid();
