#include "mainwindow/CallViews.h"

#include "calls/CallGrid.h"
#include "core/Environment.h"
#include "core/ui/Colors.h"
#include "core/ui/StationDialog.h"
#include "layout/LayoutModel.h"
#include "layout/PointState.h"
#include "layout/ui/LayOutTreeWidget.h"
#include "layout/ui/PointDrawing.h"
#include "mainwindow/CallGridDelegate.h"
#include "mainwindow/CallGridModel.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTreeWidget>

#include <algorithm>
#include <vector>

namespace {

constexpr int TreeLeft = 16;
constexpr int TreeTop = 108;
constexpr int TreeWidth = 201;
constexpr int PanelGap = 10;
constexpr int RightMargin = 10;
constexpr int BottomMargin = 30;
constexpr int RowHeight = 18;
constexpr int VisibleColumns = ColIdentity;  // 0-9; the identity column stays hidden

void SetBackground(QWidget* w, QPalette::ColorRole role, TColor color)
{
    QPalette pal = w->palette();
    pal.setColor(role, ToQColor(color));
    w->setPalette(pal);
}

QTableView* CreateCallList(const QString& name, const TCallGrid& grid, const TEnvironment& env, QWidget* parent)
{
    auto* list = new QTableView(parent);
    list->setObjectName(name);
    list->setModel(new TCallGridModel(grid, list));
    list->setItemDelegate(new TCallGridDelegate(env.Config, env.StateTexts, list));
    list->setFrameShape(QFrame::NoFrame);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setShowGrid(true);
    list->setWordWrap(false);
    list->verticalHeader()->hide();
    list->verticalHeader()->setMinimumSectionSize(RowHeight);
    list->verticalHeader()->setDefaultSectionSize(RowHeight);
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->setColumnHidden(ColIdentity, true);

    QHeaderView* header = list->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setFixedHeight(RowHeight + 1);
    const TCellColors colors = *CallCellColors(true, false, {}, env.Config, env.StateTexts);
    header->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: %1; color: %2; padding: 0px;"
                                         " border: none; border-right: 1px solid %3; border-bottom: 1px solid %3; }")
                              .arg(ToQColor(colors.Bk).name(), ToQColor(colors.Txt).name(),
                                   list->palette().color(QPalette::Mid).name()));
    return list;
}

} // namespace

struct TCallViews::Impl {
    TLayOutTree& tree;
    const TEnvironment& env;
    TLayOutTreeWidget* treeView = nullptr;
    QFrame* panel = nullptr;
    QTableView* callList = nullptr;
    QTableView* unprocList = nullptr;
    std::vector<QLabel*> images;  // one per point of the selected layout, by point index
    View view = LayoutView;

    Impl(TLayOutTree& t, const TEnvironment& e) : tree(t), env(e) {}

    void DestroyImages()
    {
        for (QLabel* image : images)
            delete image;
        images.clear();
    }

    // The point images follow the main window's mouse-less layout view.
    QLabel* CreateImage(int index)
    {
        QLabel* image = CreateCallPointImage(tree.Selected->Points[index], index, panel, env.Config);
        image->setAttribute(Qt::WA_TransparentForMouseEvents);
        return image;
    }

    void Tvw_LayOutChange(QTreeWidgetItem* entry)
    {
        DestroyImages();
        tree.Select(TLayOutTreeWidget::LayoutIndex(entry));
        if (!tree.Selected)
            return;
        TLayOutPoints& points = tree.Selected->Points;
        images.reserve(points.size());
        for (int i = 0; i < static_cast<int>(points.size()); ++i) {
            UpdatePointColors(env.Config, points[i]);
            images.push_back(CreateImage(i));
        }
    }
};

TCallViews::TCallViews(TLayOutTree& tree, const TCallGrid& callGrid, const TCallGrid& unprocGrid,
                       const TEnvironment& env, QWidget* parent)
    : QWidget(parent), d_(new Impl(tree, env))
{
    setFont(StationFont());

    d_->treeView = new TLayOutTreeWidget(false, this);
    d_->treeView->setFrameShape(QFrame::NoFrame);
    SetBackground(d_->treeView, QPalette::Base, PanelBackground);
    connect(d_->treeView, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { d_->Tvw_LayOutChange(current); });

    d_->panel = new QFrame(this);
    d_->panel->setObjectName(QStringLiteral("Pnl_LayOut"));
    d_->panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    d_->panel->setAutoFillBackground(true);
    SetBackground(d_->panel, QPalette::Window, PanelBackground);

    d_->callList = CreateCallList(QStringLiteral("SGrd_CallRecord"), callGrid, env, this);
    d_->unprocList = CreateCallList(QStringLiteral("SGrd_UnprocRecord"), unprocGrid, env, this);

    ReloadTree();
    ShowView(LayoutView);
}

TCallViews::~TCallViews()
{
    delete d_;
}

void TCallViews::ShowView(View v)
{
    d_->view = v;
    d_->treeView->setVisible(v == LayoutView);
    d_->panel->setVisible(v == LayoutView);
    d_->callList->setVisible(v == CallRecordView);
    d_->unprocList->setVisible(v == UnprocView);
}

TCallViews::View TCallViews::CurrentView() const
{
    return d_->view;
}

void TCallViews::PlaceFor(const QSize& clientSize)
{
    // Controls are children of this container, which starts at the tree's corner.
    const int height = std::max(0, clientSize.height() - BottomMargin - TreeTop);
    const int listWidth = std::max(0, clientSize.width() - RightMargin - TreeLeft);
    setGeometry(TreeLeft, TreeTop, listWidth, height);

    const int panelLeft = TreeWidth + PanelGap;
    d_->treeView->setGeometry(0, 0, TreeWidth, height);
    d_->panel->setGeometry(panelLeft, 0, std::max(0, listWidth - panelLeft), height);
    d_->callList->setGeometry(0, 0, listWidth, height);
    d_->unprocList->setGeometry(0, 0, listWidth, height);

    const int columnWidth = (d_->callList->width() - 25) * 10 / 100;
    for (int col = 0; col < VisibleColumns; ++col) {
        d_->callList->setColumnWidth(col, columnWidth);
        d_->unprocList->setColumnWidth(col, d_->callList->columnWidth(col));
    }
}

void TCallViews::ReloadTree()
{
    d_->tree.Selected = nullptr;
    d_->treeView->Fill(d_->tree);
    RepaintTree();
    d_->Tvw_LayOutChange(d_->treeView->currentItem());
}

void TCallViews::RepaintTree()
{
    QTreeWidgetItem* root = d_->treeView->topLevelItem(0);
    if (!root)
        return;
    const int count = std::min(root->childCount(), static_cast<int>(d_->tree.Layouts.size()));
    for (int i = 0; i < count; ++i) {
        const bool active = d_->tree.Layouts[i]->ActiveCalls > 0;
        root->child(i)->setForeground(0, active ? QColor(Qt::red) : QColor(Qt::black));
    }
}

void TCallViews::RepaintPoint(int pointIndex)
{
    // The tracker has stored the point's new colours already, so the image is
    // redrawn as it stands rather than compared with them; a new image keeps
    // its place in the stacking order of overlapping points.
    std::vector<QLabel*>& images = d_->images;
    if (!d_->tree.Selected || pointIndex < 0 || pointIndex >= static_cast<int>(images.size()))
        return;
    delete images[pointIndex];
    images[pointIndex] = d_->CreateImage(pointIndex);
    if (pointIndex + 1 < static_cast<int>(images.size()))
        images[pointIndex]->stackUnder(images[pointIndex + 1]);
}

void TCallViews::RefreshGrids()
{
    for (QTableView* list : {d_->callList, d_->unprocList})
        static_cast<TCallGridModel*>(list->model())->Refresh();
}
