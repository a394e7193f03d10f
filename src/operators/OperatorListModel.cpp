#include "operators/OperatorListModel.h"

#include "core/CoreTexts.h"
#include "core/ResStrings.h"
#include "operators/OperatorStore.h"
#include "operators/OperatorsTexts.h"

namespace {

constexpr TOperatorsText ColumnTitles[TOperatorListModel::ColumnCount] = {TxtOperatorsName, TxtOperatorsSex,
                                                                        TxtOperatorsDuty};

}  // namespace

TOperatorListModel::TOperatorListModel(TOperatorStore& operators, QObject* parent)
    : QAbstractTableModel(parent), operators_(operators)
{
}

int TOperatorListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : operators_.Count();
}

int TOperatorListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TOperatorListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= operators_.Count())
        return {};
    const TOperatorRow& row = operators_.Row(index.row());
    switch (index.column()) {
    case ColName:
        return row.Name;
    case ColSex:
        // A row whose sex was never set shows an empty cell.
        return row.Sex.isNull() ? QString() : LoadResStr(row.Sex.toBool() ? TxtMale : TxtFemale);
    case ColDuty:
        return row.Duty;
    default:
        return {};
    }
}

QVariant TOperatorListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return LoadResStr(ColumnTitles[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void TOperatorListModel::Refresh()
{
    beginResetModel();
    endResetModel();
}
