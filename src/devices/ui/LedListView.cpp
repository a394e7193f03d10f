#include "devices/ui/LedListView.h"

#include "core/ResStrings.h"
#include "core/StationColors.h"
#include "core/ui/Colors.h"
#include "devices/DevicesTexts.h"

#include <QDropEvent>
#include <QHeaderView>

namespace {
constexpr int TextColumn = 6;
}  // namespace

TLedListView::TLedListView(QWidget* parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("SGrd_LedList"));
    setColumnCount(7);
    QStringList captions;
    for (TDevicesText id : {TxtDevicesLedPosition, TxtDevicesDisplayMode, TxtDevicesMoveInterval, TxtDevicesStopTime,
                            TxtDevicesColor, TxtDevicesDataMode, TxtDevicesLedText})
        captions << LoadResStr(id);
    setHorizontalHeaderLabels(captions);
    // The short columns fit their header and values; the message text takes the rest.
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(TextColumn, QHeaderView::Stretch);
    horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: %1; }").arg(ToQColor(SkyBlue).name()));
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A drop copies nothing: the window exchanges the two messages itself.
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    setDragDropOverwriteMode(true);
}

void TLedListView::SetRows(const QList<QStringList>& rows)
{
    const int current = currentRow();
    setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < columnCount(); ++c) {
            auto* item = new QTableWidgetItem(rows[r].value(c));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
            setItem(r, c, item);
        }
    if (current >= 0 && current < rowCount())
        setCurrentCell(current, 0);
}

int TLedListView::DropRow(const QDropEvent* event) const
{
    if (event->source() != this || currentRow() < 0)
        return -1;
    return rowAt(event->position().toPoint().y());
}

void TLedListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TLedListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (DropRow(event) >= 0) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TLedListView::dropEvent(QDropEvent* event)
{
    const int to = DropRow(event);
    if (to < 0) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit Exchange(currentRow(), to);
}
