// The main window's call views: list colours and columns, view switching, the
// layout tree and the point images of the chosen layout.
#include "calls/CallGrid.h"
#include "core/Environment.h"
#include "core/ResStrings.h"
#include "core/ui/Colors.h"
#include "layout/LayoutModel.h"
#include "layout/ui/PointDrawing.h"
#include "mainwindow/CallGridDelegate.h"
#include "mainwindow/CallViews.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QApplication>
#include <QMouseEvent>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

TStateTexts DefaultStateTexts()
{
    TStateTexts texts;
    texts.NormalSvrText = LoadResStr(1268);
    texts.SuccessSvrText = LoadResStr(1269);
    texts.PreWarn1SvrText = LoadResStr(1265);
    texts.PreWarn2SvrText = LoadResStr(1266);
    texts.PreWarn3SvrText = LoadResStr(1267);
    return texts;
}

TCallGridRow CallRow(const QString& desktop, const QString& state, const QString& id)
{
    TCallGridRow row;
    row[ColCallDate] = QStringLiteral("2024-05-01");
    row[ColCallDesktop] = desktop;
    row[ColState] = state;
    row[ColIdentity] = id;
    return row;
}

TLayOutPoint Point(uint16_t address, const QString& name, uint8_t shape, QRect geometry)
{
    TLayOutPoint p;
    p.Address = address;
    p.Name = name;
    p.Shape = shape;
    p.XPos = geometry.x();
    p.YPos = geometry.y();
    p.Width = static_cast<uint16_t>(geometry.width());
    p.Height = static_cast<uint16_t>(geometry.height());
    return p;
}

} // namespace

TEST(CallCellColors, HeaderSelectedAndStateRows)
{
    const TConfig cfg;
    const TStateTexts texts = DefaultStateTexts();

    const auto header = CallCellColors(true, false, texts.SuccessSvrText, cfg, texts);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Bk, 0xF0CAA6u);
    EXPECT_EQ(header->Txt, 0u);

    const auto served = CallCellColors(false, false, texts.SuccessSvrText, cfg, texts);
    ASSERT_TRUE(served);
    EXPECT_EQ(served->Bk, cfg.SuccessBkColor);
    EXPECT_EQ(served->Txt, cfg.SuccessTxtColor);

    const auto timedOut = CallCellColors(false, false, texts.PreWarn3SvrText, cfg, texts);
    ASSERT_TRUE(timedOut);
    EXPECT_EQ(timedOut->Bk, cfg.PreWarn3BkColor);
    EXPECT_EQ(timedOut->Txt, cfg.PreWarn3TxtColor);

    const auto warn2 = CallCellColors(false, false, texts.PreWarn2SvrText, cfg, texts);
    ASSERT_TRUE(warn2);
    EXPECT_EQ(warn2->Bk, cfg.PreWarn2BkColor);

    // A selected row is blue on white whatever its state.
    for (const QString& state : {texts.SuccessSvrText, texts.PreWarn3SvrText, texts.NormalSvrText, QString()}) {
        SCOPED_TRACE(state.isEmpty() ? std::string("no state") : state.toStdString());
        const auto selected = CallCellColors(false, true, state, cfg, texts);
        ASSERT_TRUE(selected) << state.toStdString();
        EXPECT_EQ(selected->Bk, 0xFF0000u);
        EXPECT_EQ(selected->Txt, 0xFFFFFFu);
    }
}

TEST(CallCellColors, EqualStateTextsTakeTheEarlierPairAndUnknownTextsNone)
{
    TConfig cfg;
    cfg.PreWarn1BkColor = 0x111111;
    cfg.PreWarn2BkColor = 0x222222;
    cfg.NormalBkColor = 0x333333;
    TStateTexts texts = DefaultStateTexts();
    texts.PreWarn2SvrText = texts.PreWarn1SvrText;
    texts.NormalSvrText = texts.PreWarn1SvrText;

    const auto colors = CallCellColors(false, false, texts.PreWarn1SvrText, cfg, texts);
    ASSERT_TRUE(colors);
    EXPECT_EQ(colors->Bk, 0x111111u);

    // Served comes first of all, even before the time-out.
    texts.PreWarn3SvrText = texts.SuccessSvrText;
    EXPECT_EQ(CallCellColors(false, false, texts.SuccessSvrText, cfg, texts)->Bk, cfg.SuccessBkColor);

    EXPECT_FALSE(CallCellColors(false, false, QString(), cfg, texts));
    EXPECT_FALSE(CallCellColors(false, false, QStringLiteral("old text"), cfg, texts));
}

class CallViewsTest : public ::testing::Test {
protected:
    CallViewsTest()
    {
        env_.StateTexts = DefaultStateTexts();
        tree_.RootName = LoadResStr(1005);
        auto hall = std::make_unique<TLayOutNode>();
        hall->Name = QStringLiteral("大厅");
        hall->Points.push_back(Point(0x0101, QStringLiteral("A1"), 0, {10, 20, 60, 60}));
        hall->Points.push_back(Point(0x0102, QStringLiteral("A2"), 1, {100, 30, 80, 50}));
        hall->Points.push_back(Point(0x0103, QStringLiteral("A3"), 1, {200, 40, 70, 40}));
        tree_.Layouts.push_back(std::move(hall));
        auto rooms = std::make_unique<TLayOutNode>();
        rooms->Name = QStringLiteral("包间");
        tree_.Layouts.push_back(std::move(rooms));

        parent_.resize(956, 608);
        views_ = new TCallViews(tree_, callGrid_, unprocGrid_, env_, &parent_);
        views_->PlaceFor(parent_.size());
        parent_.show();
    }
    template <typename T> T* Child(const char* name) const
    {
        T* w = views_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QTreeWidget* Tree() const { return Child<QTreeWidget>("Tvw_LayOut"); }
    QFrame* Panel() const { return Child<QFrame>("Pnl_LayOut"); }
    QTableView* CallList() const { return Child<QTableView>("SGrd_CallRecord"); }
    QTableView* UnprocList() const { return Child<QTableView>("SGrd_UnprocRecord"); }
    QTreeWidgetItem* Entry(int layout) const { return Tree()->topLevelItem(0)->child(layout); }
    QList<QLabel*> Images() const { return Panel()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly); }
    QRect InParent(QWidget* w) const { return QRect(w->mapTo(&parent_, QPoint(0, 0)), w->size()); }

    TEnvironment env_;
    TLayOutTree tree_;
    TCallGrid callGrid_;
    TCallGrid unprocGrid_;
    QWidget parent_;
    TCallViews* views_ = nullptr;
};

TEST_F(CallViewsTest, ControlsArePlacedInTheWorkArea)
{
    // Client 956 x 608: height 608 - 30 - 108, list width 956 - 10 - 16.
    EXPECT_EQ(InParent(Tree()), QRect(16, 108, 201, 470));
    EXPECT_EQ(InParent(Panel()), QRect(227, 108, 956 - 10 - 227, 470));
    EXPECT_EQ(InParent(CallList()), QRect(16, 108, 930, 470));
    EXPECT_EQ(InParent(UnprocList()), QRect(16, 108, 930, 470));

    views_->PlaceFor(QSize(800, 500));
    EXPECT_EQ(InParent(Tree()), QRect(16, 108, 201, 362));
    EXPECT_EQ(InParent(Panel()).right(), 800 - 10 - 1);
    EXPECT_EQ(InParent(CallList()).size(), QSize(774, 362));
}

TEST_F(CallViewsTest, ColumnWidthsFollowTheListWidth)
{
    // A list 725 pixels wide: (725 - 25) * 10 div 100 = 70 for each visible column.
    views_->PlaceFor(QSize(725 + 10 + 16, 608));
    ASSERT_EQ(CallList()->width(), 725);
    for (int col = 0; col < ColIdentity; ++col) {
        EXPECT_EQ(CallList()->columnWidth(col), 70) << col;
        EXPECT_EQ(UnprocList()->columnWidth(col), 70) << col;
    }
    EXPECT_TRUE(CallList()->isColumnHidden(ColIdentity));
    EXPECT_TRUE(UnprocList()->isColumnHidden(ColIdentity));

    // A column the user widened is set again at the next resize.
    CallList()->setColumnWidth(3, 200);
    views_->PlaceFor(QSize(525 + 10 + 16, 608));
    EXPECT_EQ(CallList()->columnWidth(3), 50);
    EXPECT_EQ(UnprocList()->columnWidth(3), 50);
}

TEST_F(CallViewsTest, EachViewShowsItsOwnControls)
{
    EXPECT_EQ(views_->CurrentView(), TCallViews::LayoutView);
    EXPECT_TRUE(Tree()->isVisible());
    EXPECT_TRUE(Panel()->isVisible());
    EXPECT_FALSE(CallList()->isVisible());
    EXPECT_FALSE(UnprocList()->isVisible());

    views_->ShowView(TCallViews::CallRecordView);
    EXPECT_EQ(views_->CurrentView(), TCallViews::CallRecordView);
    EXPECT_FALSE(Tree()->isVisible());
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_TRUE(CallList()->isVisible());
    EXPECT_FALSE(UnprocList()->isVisible());

    views_->ShowView(TCallViews::UnprocView);
    EXPECT_FALSE(Tree()->isVisible());
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_FALSE(CallList()->isVisible());
    EXPECT_TRUE(UnprocList()->isVisible());

    views_->ShowView(TCallViews::LayoutView);
    EXPECT_TRUE(Tree()->isVisible());
    EXPECT_TRUE(Panel()->isVisible());
    EXPECT_FALSE(UnprocList()->isVisible());
}

TEST_F(CallViewsTest, ListsFollowTheirGrids)
{
    QAbstractItemModel* model = CallList()->model();
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->headerData(ColState, Qt::Horizontal).toString(), LoadResStr(219));

    callGrid_.InsertAtTop(CallRow(QStringLiteral("A1"), env_.StateTexts.NormalSvrText, QStringLiteral("1")), 100);
    callGrid_.InsertAtTop(CallRow(QStringLiteral("A2"), env_.StateTexts.NormalSvrText, QStringLiteral("2")), 100);
    EXPECT_EQ(model->rowCount(), 1);  // nothing shown before the refresh
    views_->RefreshGrids();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->index(0, ColCallDesktop).data().toString(), QStringLiteral("A2"));
    EXPECT_EQ(model->index(1, ColCallDesktop).data().toString(), QStringLiteral("A1"));

    // The selection stays on its row while the rows move under it.
    CallList()->selectRow(1);
    callGrid_.InsertAtTop(CallRow(QStringLiteral("A3"), env_.StateTexts.NormalSvrText, QStringLiteral("3")), 100);
    views_->RefreshGrids();
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(CallList()->selectionModel()->selectedRows().value(0).row(), 1);
    EXPECT_EQ(model->index(1, ColCallDesktop).data().toString(), QStringLiteral("A2"));

    // A shrinking grid is safe to paint before the list hears of it.
    callGrid_.RemoveRow(1);
    callGrid_.RemoveRow(1);
    EXPECT_FALSE(model->index(2, ColCallDesktop).data().isValid());
    views_->RefreshGrids();
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(UnprocList()->model()->rowCount(), 1);
}

TEST_F(CallViewsTest, CellsArePaintedInTheirRowColours)
{
    callGrid_.InsertAtTop(CallRow(QStringLiteral("A1"), env_.StateTexts.SuccessSvrText, QStringLiteral("1")), 100);
    callGrid_.InsertAtTop(CallRow(QStringLiteral("A2"), env_.StateTexts.PreWarn3SvrText, QStringLiteral("2")), 100);
    views_->RefreshGrids();
    views_->ShowView(TCallViews::CallRecordView);
    QTableView* list = CallList();

    // A corner of the cell, away from the centred text and the grid lines.
    const auto cellColor = [list](int row, int col) {
        const QRect cell = list->visualRect(list->model()->index(row, col));
        const QImage shot = list->viewport()->grab().toImage();
        return shot.pixelColor(cell.topLeft() + QPoint(3, 3)).rgb();
    };
    EXPECT_EQ(cellColor(0, 0), ToQColor(env_.Config.PreWarn3BkColor).rgb());
    EXPECT_EQ(cellColor(1, 5), ToQColor(env_.Config.SuccessBkColor).rgb());

    list->selectRow(0);
    EXPECT_EQ(cellColor(0, 0), QColor(0, 0, 255).rgb());
    EXPECT_EQ(cellColor(1, 5), ToQColor(env_.Config.SuccessBkColor).rgb());
}

TEST_F(CallViewsTest, ChoosingALayoutShowsItsPoints)
{
    EXPECT_EQ(Tree()->topLevelItem(0)->text(0), LoadResStr(1005));
    ASSERT_EQ(Tree()->topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(Entry(0)->text(0), QStringLiteral("大厅"));
    EXPECT_EQ(tree_.Selected, nullptr);
    EXPECT_TRUE(Images().isEmpty());

    // A timed-out call kept on time shows in the time-out colours at once.
    TLayOutPoints& points = tree_.Layouts[0]->Points;
    points[1].CallState = 3;
    points[1].CallKey = 12;
    Tree()->setCurrentItem(Entry(0));
    EXPECT_EQ(tree_.Selected, tree_.Layouts[0].get());
    ASSERT_EQ(Images().size(), 3);
    for (int i = 0; i < 3; ++i) {
        auto* image = Panel()->findChild<QLabel*>(QStringLiteral("Img%1").arg(i));
        ASSERT_NE(image, nullptr) << i;
        EXPECT_EQ(image->geometry(), QRect(points[i].XPos, points[i].YPos, points[i].Width, points[i].Height));
    }
    EXPECT_EQ(points[1].BkColor, env_.Config.PreWarn3BkColor);
    EXPECT_EQ(points[1].TxtColor, env_.Config.PreWarn3TxtColor);
    EXPECT_EQ(points[1].DrawnKey, 12);
    EXPECT_EQ(points[0].BkColor, SkyBlue);

    Tree()->setCurrentItem(Entry(1));
    EXPECT_EQ(tree_.Selected, tree_.Layouts[1].get());
    EXPECT_TRUE(Images().isEmpty());

    Tree()->setCurrentItem(Entry(0));
    Tree()->setCurrentItem(Tree()->topLevelItem(0));
    EXPECT_EQ(tree_.Selected, nullptr);
    EXPECT_TRUE(Images().isEmpty());
}

TEST_F(CallViewsTest, RightClickSelectsTheEntry)
{
    Tree()->setFocus();
    const QRect entry = Tree()->visualItemRect(Entry(0));
    QWidget* viewport = Tree()->viewport();
    const QPointF at = entry.center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::RightButton,
                          type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
    EXPECT_EQ(Tree()->currentItem(), Entry(0));
    EXPECT_EQ(tree_.Selected, tree_.Layouts[0].get());
}

TEST_F(CallViewsTest, RepaintPointRedrawsTheImageInItsStoredColours)
{
    Tree()->setCurrentItem(Entry(0));
    TLayOutPoint& point = tree_.Layouts[0]->Points[1];
    const QImage idle = Panel()->findChild<QLabel*>(QStringLiteral("Img1"))->pixmap().toImage();

    // The tracker stores the new colours in the point, then asks for a repaint.
    point.CallState = 3;
    point.CallKey = 11;
    point.BkColor = env_.Config.PreWarn3BkColor;
    point.TxtColor = env_.Config.PreWarn3TxtColor;
    point.DrawnKey = point.CallKey;
    views_->RepaintPoint(1);

    auto* image = Panel()->findChild<QLabel*>(QStringLiteral("Img1"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(Images().size(), 3);
    EXPECT_EQ(image->geometry(), QRect(100, 30, 80, 50));
    const QImage repainted = image->pixmap().toImage();
    EXPECT_NE(repainted, idle);
    QLabel* fresh = CreateCallPointImage(point, 1, nullptr, env_.Config);
    EXPECT_EQ(repainted, fresh->pixmap().toImage());
    delete fresh;

    // Out of range or with the root selected nothing happens.
    views_->RepaintPoint(7);
    Tree()->setCurrentItem(Tree()->topLevelItem(0));
    views_->RepaintPoint(1);
    EXPECT_TRUE(Images().isEmpty());
}

TEST_F(CallViewsTest, EntryTurnsRedWhileItsLayoutHasLiveCalls)
{
    EXPECT_EQ(Entry(0)->foreground(0).color(), QColor(Qt::black));
    tree_.Layouts[0]->ActiveCalls = 1;
    views_->RepaintTree();
    EXPECT_EQ(Entry(0)->foreground(0).color(), QColor(255, 0, 0));
    EXPECT_EQ(Entry(1)->foreground(0).color(), QColor(Qt::black));
    tree_.Layouts[0]->ActiveCalls = 0;
    views_->RepaintTree();
    EXPECT_EQ(Entry(0)->foreground(0).color(), QColor(Qt::black));
}

TEST_F(CallViewsTest, ReloadShowsTheRebuiltTreeWithTheRootChosen)
{
    Tree()->setCurrentItem(Entry(0));
    ASSERT_EQ(Images().size(), 3);

    // The station rebuilds its tree after a saved layout edit, then reloads the view.
    tree_.Clear();
    auto bar = std::make_unique<TLayOutNode>();
    bar->Name = QStringLiteral("吧台");
    bar->ActiveCalls = 2;
    bar->Points.push_back(Point(0x0201, QStringLiteral("B1"), 0, {5, 5, 40, 40}));
    tree_.Layouts.push_back(std::move(bar));
    views_->ReloadTree();

    EXPECT_TRUE(Images().isEmpty());
    EXPECT_EQ(tree_.Selected, nullptr);
    EXPECT_EQ(Tree()->currentItem(), Tree()->topLevelItem(0));
    ASSERT_EQ(Tree()->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(Entry(0)->text(0), QStringLiteral("吧台"));
    EXPECT_EQ(Entry(0)->foreground(0).color(), QColor(255, 0, 0));
}
