#include "layout/ui/LayOutTreeWidget.h"

#include <QDropEvent>

TLayOutTreeWidget::TLayOutTreeWidget(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
}

int TLayOutTreeWidget::LayoutIndex(const QTreeWidgetItem* item)
{
    return item && item->parent() ? item->parent()->indexOfChild(const_cast<QTreeWidgetItem*>(item)) : -1;
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
