#pragma once
// The LED tool's message list: whole rows, read-only cells, and dragging a
// message onto another one to exchange them. A drop beside the rows is refused.
#include <QTableWidget>

class TLedListView final : public QTableWidget {
    Q_OBJECT
public:
    explicit TLedListView(QWidget* parent);

    // Shows these rows (one list of cell texts each).
    void SetRows(const QList<QStringList>& rows);

signals:
    void Exchange(int from, int to);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The row a drag from this list would land on; -1 beside the rows or for a foreign drag.
    int DropRow(const QDropEvent* event) const;
};
