#include "devices/MemoryMapModel.h"

#include "devices/MemoryImage.h"

void TMemoryMapModel::SetImage(const QByteArray& image)
{
    beginResetModel();
    image_ = image;
    endResetModel();
}

void TMemoryMapModel::SetByte(int offset, uint8_t value)
{
    if (offset < 0 || offset >= image_.size())
        return;
    image_[offset] = char(value);
    const QModelIndex cell = index(MemoryMapRowOf(offset), MemoryMapColumnOf(offset));
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

int TMemoryMapModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : MemoryMapRows(int(image_.size()));
}

int TMemoryMapModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : MemoryMapColumns; }

QVariant TMemoryMapModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    if (index.column() == 0)
        return MemoryMapRowLabel(index.row());
    return MemoryMapCell(image_, index.row(), index.column());
}

QVariant TMemoryMapModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QString() : MemoryMapHeader(section);
}
