#pragma once
// The work area of the main window: the layout view (tree and point panel) and
// the two call lists, one of them shown at a time.
//
// The views are one transparent container that covers exactly the work area of
// its parent (from the tree's top-left corner to the lists' bottom-right); the
// tree Tvw_LayOut, the panel Pnl_LayOut and the lists SGrd_CallRecord and
// SGrd_UnprocRecord are its children, placed so that in the parent's
// coordinates they sit where PlaceFor puts them. The parent's face buttons and
// title band stay outside the container and keep their mouse.
#include <QWidget>

struct TEnvironment;
struct TLayOutTree;
class TCallGrid;
class QTreeWidget;

class TCallViews final : public QWidget {
    Q_OBJECT
public:
    enum View { LayoutView = 0, CallRecordView = 1, UnprocView = 2 };

    // env: the window thread's settings, whose colours the lists and points are drawn in.
    TCallViews(TLayOutTree& tree, const TCallGrid& callGrid, const TCallGrid& unprocGrid, const TEnvironment& env,
               QWidget* parent);
    ~TCallViews() override;

    void ShowView(View v);
    View CurrentView() const;

    // Places the four controls inside the work area of a main window of this client size.
    void PlaceFor(const QSize& clientSize);

    // The tree was rebuilt (root selected, panel empty).
    void ReloadTree();
    // Live-call counts changed: repaint the tree's colours.
    void RepaintTree();
    // A point of the selected layout changed colours or key (already stored in
    // the point by the call tracker): repaint its image.
    void RepaintPoint(int pointIndex);
    // The grids' contents changed.
    void RefreshGrids();

private:
    struct Impl;
    Impl* d_;
};
