#include "mainwindow/CallGridModel.h"

#include "calls/CallGrid.h"

TCallGridModel::TCallGridModel(const TCallGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), rows_(grid.RowCount() - 1), revision_(grid.Revision())
{
}

int TCallGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int TCallGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : CallGridColumns;
}

QVariant TCallGridModel::data(const QModelIndex& index, int role) const
{
    // The grid may have shrunk since the last Refresh; a paint in between shows nothing there.
    const int row = index.row() + 1;
    if (role != Qt::DisplayRole || !index.isValid() || row >= grid_.RowCount())
        return {};
    return grid_.Cell(row, index.column());
}

QVariant TCallGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= CallGridColumns)
        return {};
    return grid_.Cell(0, section);
}

Qt::ItemFlags TCallGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TCallGridModel::Refresh()
{
    if (grid_.Revision() == revision_)
        return;
    revision_ = grid_.Revision();
    const int rows = grid_.RowCount() - 1;
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
    if (rows_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, CallGridColumns - 1), {Qt::DisplayRole});
}
