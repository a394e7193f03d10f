#include "layout/ui/LayOutTreeWidget.h"

#include "layout/LayoutModel.h"

#include <QDropEvent>

TLayOutTreeWidget::TLayOutTreeWidget(bool editable, QWidget* parent) : QTreeWidget(parent), editable_(editable)
{
    setObjectName(QStringLiteral("Tvw_LayOut"));
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    if (editable) {
        setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
        setDragEnabled(true);
        setAcceptDrops(true);
        setDragDropMode(QAbstractItemView::DragDrop);
    } else {
        setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
}

int TLayOutTreeWidget::LayoutIndex(const QTreeWidgetItem* item)
{
    return item && item->parent() ? item->parent()->indexOfChild(const_cast<QTreeWidgetItem*>(item)) : -1;
}

void TLayOutTreeWidget::Fill(const TLayOutTree& tree)
{
    const QSignalBlocker block(this);
    clear();
    auto* root = new QTreeWidgetItem(this, QStringList{tree.RootName});
    root->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    const Qt::ItemFlags layoutFlags = editable_
        ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled
        : Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    for (const auto& layout : tree.Layouts)
        (new QTreeWidgetItem(root, QStringList{layout->Name}))->setFlags(layoutFlags);
    root->setExpanded(true);
    const int selected = tree.SelectedIndex();
    setCurrentItem(selected < 0 ? root : root->child(selected));
}

QTreeWidgetItem* TLayOutTreeWidget::LayoutItem(int index) const
{
    QTreeWidgetItem* root = topLevelItem(0);
    return root ? root->child(index) : nullptr;
}

int TLayOutTreeWidget::DropTarget(const QDropEvent* event) const
{
    if (event->source() != this || LayoutIndex(currentItem()) < 0)
        return -1;
    return LayoutIndex(itemAt(event->position().toPoint()));
}

void TLayOutTreeWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TLayOutTreeWidget::dragMoveEvent(QDragMoveEvent* event)
{
    if (DropTarget(event) >= 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TLayOutTreeWidget::dropEvent(QDropEvent* event)
{
    const int onto = DropTarget(event);
    if (onto < 0) {
        event->ignore();
        return;
    }
    // The tree is refilled from the moved layouts; a move action would have the
    // view remove the dragged entry itself as well.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit LayoutDropped(LayoutIndex(currentItem()), onto);
}
