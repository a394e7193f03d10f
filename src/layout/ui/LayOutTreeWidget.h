#pragma once
// The tree of layouts the main window and the layout editor show: the root and
// its layouts, the current entry standing for the tree's selected layout. In the
// editor, layouts are renamed in place and a layout dragged onto another layout
// asks to be moved just before it.
#include <QTreeWidget>

struct TLayOutTree;

class TLayOutTreeWidget : public QTreeWidget {
    Q_OBJECT
public:
    explicit TLayOutTreeWidget(bool editable, QWidget* parent = nullptr);

    // The layout an entry stands for; -1 for the root or no entry.
    static int LayoutIndex(const QTreeWidgetItem* item);
    // Shows the tree's root and layouts, expanded, with its selected layout current (no signal).
    void Fill(const TLayOutTree& tree);
    // The entry of the layout at index; nullptr when there is none.
    QTreeWidgetItem* LayoutItem(int index) const;

signals:
    void LayoutDropped(int from, int onto);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool editable_;
    // The layout under the pointer when a layout of this tree is dragged there; -1 otherwise.
    int DropTarget(const QDropEvent* event) const;
};
