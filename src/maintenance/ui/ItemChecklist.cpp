#include "maintenance/ui/ItemChecklist.h"

#include "maintenance/BackupItems.h"

#include <QListWidget>

QListWidget* NewItemChecklist(QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QStringLiteral("Lst_Items"));
    for (int item = 0; item < BackupItemCount; ++item) {
        auto* row = new QListWidgetItem(BackupItemName(item), list);
        row->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        row->setCheckState(Qt::Unchecked);
    }
    // Five rows and no empty space under them.
    list->setFixedHeight(list->sizeHintForRow(0) * BackupItemCount + 2 * list->frameWidth() + 4);
    return list;
}

uint32_t TickedItems(const QListWidget* list)
{
    uint32_t mask = 0;
    for (int item = 0; item < list->count(); ++item) {
        const QListWidgetItem* row = list->item(item);
        if ((row->flags() & Qt::ItemIsEnabled) && row->checkState() == Qt::Checked)
            mask |= 1u << item;
    }
    return mask;
}

void EnableItems(QListWidget* list, uint32_t mask)
{
    for (int item = 0; item < list->count(); ++item) {
        QListWidgetItem* row = list->item(item);
        row->setCheckState(Qt::Unchecked);
        row->setFlags((mask & (1u << item)) ? Qt::ItemIsUserCheckable | Qt::ItemIsEnabled : Qt::ItemIsUserCheckable);
    }
}
