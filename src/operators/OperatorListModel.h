#pragma once
// The operator list's cells: name, sex as "男"/"女", job title, in the store's row order.
#include <QAbstractTableModel>

class TOperatorStore;

class TOperatorListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColName, ColSex, ColDuty, ColumnCount };

    explicit TOperatorListModel(TOperatorStore& operators, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The rows are read again from the store after it changed.
    void Refresh();

private:
    TOperatorStore& operators_;
};
