#pragma once
// The work area of the main window: the layout view (tree and point panel) and
// the two call lists, one of them shown at a time.
#include <QWidget>

struct TLayOutTree;
class TCallGrid;
class QTreeWidget;

class TCallViews final : public QWidget {
    Q_OBJECT
public:
    enum View { LayoutView = 0, CallRecordView = 1, UnprocView = 2 };

    TCallViews(TLayOutTree& tree, const TCallGrid& callGrid, const TCallGrid& unprocGrid, QWidget* parent);
    ~TCallViews() override;

    void ShowView(View v);
    View CurrentView() const;

    // Places the four controls inside the work area of a main window of this client size.
    void PlaceFor(const QSize& clientSize);

    // The tree was rebuilt (root selected, panel empty).
    void ReloadTree();
    // Live-call counts changed: repaint the tree's colours.
    void RepaintTree();
    // A point of the selected layout changed colours or key: repaint its image.
    void RepaintPoint(int pointIndex);
    // The grids' contents changed.
    void RefreshGrids();

private:
    struct Impl;
    Impl* d_;
};
