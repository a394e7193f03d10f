#pragma once
// The memory map as a table: column 0 the row labels ("000_"), columns 1-16
// the bytes under the headers "___0".."___F". A view asks only for the cells
// it shows, so a whole 1 MiB image costs no more than a small one.
#include <QAbstractTableModel>
#include <QByteArray>

class TMemoryMapModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows another image (N div 16 + 1 rows).
    void SetImage(const QByteArray& image);
    // One byte changed in place.
    void SetByte(int offset, uint8_t value);
    const QByteArray& Image() const { return image_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QByteArray image_;
};
