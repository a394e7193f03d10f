#include "staff/TextGrid.h"

#include "core/GbkCodec.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

TTextGrid::TTextGrid(int columns) : columns_(std::max(columns, 1))
{
    Clear();
}

QStringList TTextGrid::Normalized(const QStringList& values) const
{
    QStringList row = values.mid(0, columns_);
    while (row.size() < columns_)
        row << QString();
    return row;
}

int TTextGrid::Clamped(int row) const
{
    return std::clamp(row, 0, RowCount() - 1);
}

void TTextGrid::Clear()
{
    rows_.assign(1, Normalized({}));
    holdsRows_ = false;
}

void TTextGrid::Append(const QStringList& values)
{
    if (!holdsRows_)
        rows_.clear();
    rows_.push_back(Normalized(values));
    holdsRows_ = true;
}

int TTextGrid::Add(int selected, const QStringList& values)
{
    if (!holdsRows_) {
        rows_[0] = Normalized(values);
        holdsRows_ = true;
        return 0;
    }
    const int at = Clamped(selected);
    rows_.insert(rows_.begin() + at, Normalized(values));
    return at;
}

void TTextGrid::Modify(int selected, const QStringList& values)
{
    // The empty row of a grid without rows is filled only by an add.
    if (holdsRows_)
        rows_[static_cast<size_t>(Clamped(selected))] = Normalized(values);
}

void TTextGrid::Delete(int selected)
{
    if (!holdsRows_)
        return;
    if (RowCount() == 1) {
        Clear();
        return;
    }
    rows_.erase(rows_.begin() + Clamped(selected));
}

void TTextGrid::SortByColumn(int column, bool ascending)
{
    if (column < 0 || column >= columns_ || DataRowCount() < 2)
        return;
    std::vector<QByteArray> keys;
    keys.reserve(rows_.size());
    for (const QStringList& row : rows_)
        keys.push_back(ToGbk(row.at(column)));

    const size_t n = rows_.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        size_t best = i;
        for (size_t j = i + 1; j < n; ++j) {
            if (ascending ? keys[j] < keys[best] : keys[best] < keys[j])
                best = j;
        }
        if (best != i) {
            std::swap(rows_[i], rows_[best]);
            std::swap(keys[i], keys[best]);
        }
    }
}

int NextSortMarker(int marker, int column)
{
    return std::abs(marker) == column + 1 ? -marker : column + 1;
}

void TableSort(TTextGrid& grid, int& marker, int column)
{
    marker = NextSortMarker(marker, column);
    grid.SortByColumn(std::abs(marker) - 1, marker > 0);
}
