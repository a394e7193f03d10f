#pragma once
// The layout editor's tree: the root and its layouts, where a layout dragged
// onto another layout asks to be moved just before it.
#include <QTreeWidget>

class TLayOutTreeWidget : public QTreeWidget {
    Q_OBJECT
public:
    explicit TLayOutTreeWidget(QWidget* parent = nullptr);

    // The layout an entry stands for; -1 for the root or no entry.
    static int LayoutIndex(const QTreeWidgetItem* item);

signals:
    void LayoutDropped(int from, int onto);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The layout under the pointer when a layout of this tree is dragged there; -1 otherwise.
    int DropTarget(const QDropEvent* event) const;
};
