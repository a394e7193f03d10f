#pragma once
// Contents of a call grid (recent calls, or calls still waiting): a header row
// and data rows of 11 texts, newest call at row 1.
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

enum CallGridColumn : int {
    ColCallDate = 0,
    ColCallTime,
    ColCallArea,
    ColCallDesktop,
    ColServiceType,
    ColServer,
    ColProcTime,
    ColTimer,
    ColState,       // empty: a row without a call
    ColProcPerson,
    ColIdentity,    // hidden: the live record followed by the row
    CallGridColumns
};

using TCallGridRow = std::array<QString, CallGridColumns>;

class TCallGrid {
public:
    TCallGrid();  // header row from the string table and one empty data row

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const QString& Cell(int row, int col) const { return rows_[row][col]; }
    const TCallGridRow& Row(int row) const { return rows_[row]; }
    // Writes a cell only when it differs; true when it changed.
    bool SetCell(int row, int col, const QString& text);

    // Places a call at row 1: when row 1 holds a call, the grid first grows by a
    // row while it has at most maxRows rows and the rows move down (the last is lost when full).
    void InsertAtTop(const TCallGridRow& row, int maxRows);
    // Removes a data row; the grid keeps at least one (then empty) data row.
    void RemoveRow(int row);
    // The first data row whose identity column holds id; -1 when none.
    int FindIdentity(const QString& id) const;

    // Raised by every change, so a view can tell whether to repaint.
    uint64_t Revision() const { return revision_; }

private:
    std::vector<TCallGridRow> rows_;
    uint64_t revision_ = 0;
};
