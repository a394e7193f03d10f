#pragma once
// The rows of one page of the staff window, edited in memory until the window
// is confirmed. A grid without rows still shows one empty row, which the first
// add fills.
#include <QString>
#include <QStringList>
#include <vector>

class TTextGrid {
public:
    explicit TTextGrid(int columns);

    int ColumnCount() const { return columns_; }
    bool HoldsRows() const { return holdsRows_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }     // shown rows, at least one
    int DataRowCount() const { return holdsRows_ ? RowCount() : 0; }
    const QStringList& Row(int row) const { return rows_.at(static_cast<size_t>(row)); }
    const QString& Cell(int row, int column) const { return Row(row).at(column); }

    void Clear();                      // no rows: one empty row shown
    void Append(const QStringList& values);

    // The new row takes the place of the selected one, which moves down with
    // every row below it; the empty row of a grid without rows is filled instead.
    // Returns the row that received the values.
    int Add(int selected, const QStringList& values);
    void Modify(int selected, const QStringList& values);
    // Rows below move up; a single row is emptied and the grid holds no rows.
    void Delete(int selected);

    // Selection sort of the data rows by one column, comparing the texts byte by byte
    // in the station's code page. Only strictly better rows move, so equal rows that
    // are already in place stay.
    void SortByColumn(int column, bool ascending);

private:
    QStringList Normalized(const QStringList& values) const;
    int Clamped(int row) const;

    int columns_;
    std::vector<QStringList> rows_;
    bool holdsRows_ = false;
};

// The sort marker after a press on the header of column c (0-based): the sorted
// column flips its direction, another column sorts ascending. 0 means unsorted,
// +(c+1) ascending by c, -(c+1) descending.
int NextSortMarker(int marker, int column);
// A press on the duty grid's header: moves the marker and sorts by it.
void TableSort(TTextGrid& grid, int& marker, int column);
