#pragma once
// A call grid as a table for the list views: the grid's header row becomes the
// horizontal header, its data rows the table's rows.
#include <QAbstractTableModel>
#include <cstdint>

class TCallGrid;

class TCallGridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    TCallGridModel(const TCallGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Tells the views what changed since the last call. Rows are added or
    // removed at the bottom so that the selected row keeps its place, as in a
    // grid whose contents move under a fixed selection.
    void Refresh();

private:
    const TCallGrid& grid_;
    int rows_;            // data rows the views know of
    uint64_t revision_;   // grid revision the views show
};
