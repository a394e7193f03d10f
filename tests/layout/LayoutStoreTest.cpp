// Reading the layout tables into a tree and writing a tree back: values cut to
// their ranges, stored order, idle run-time state, and a failed save that
// leaves the stored layouts alone.
#include "core/DataStore.h"
#include "core/ResStrings.h"
#include "layout/LayoutStore.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/StoreTest.h"

namespace {

class LayoutStoreTest : public StoreTest {
protected:
    void AddLayout(qint64 sn, const QString& name)
    {
        Exec(QStringLiteral("insert into LayOutName values(?, ?, '')"), {sn, name});
    }

    // Address, layout, name, shape, colour, x, y, text position, width, height.
    void AddPoint(qint64 address, qint64 layout, const QString& name, qint64 shape = 0, qint64 width = 60,
                  qint64 height = 40, qint64 txtPos = 0, qint64 x = 10, qint64 y = 20)
    {
        Exec(QStringLiteral("insert into LayOutPoint values(?, ?, ?, ?, 255, ?, ?, ?, ?, ?, '')"),
             {address, layout, name, shape, x, y, txtPos, width, height});
    }

    TLayOutTree Read()
    {
        TLayOutTree tree;
        QString error;
        EXPECT_TRUE(ReadSiteLayOutData(store, tree, &error)) << error.toStdString();
        return tree;
    }

    static QStringList LayoutNames(const TLayOutTree& tree)
    {
        QStringList names;
        for (const auto& node : tree.Layouts)
            names << node->Name;
        return names;
    }
};

TEST_F(LayoutStoreTest, EmptyTablesGiveTheRootOnlyAndSelectIt)
{
    TLayOutTree tree = Read();
    EXPECT_EQ(tree.RootName, LoadResStr(1005));
    EXPECT_EQ(tree.RootName, QStringLiteral("场所布局图"));
    EXPECT_TRUE(tree.Layouts.empty());
    EXPECT_EQ(tree.Selected, nullptr);
}

TEST_F(LayoutStoreTest, LayoutsComeInNumberOrderWhateverTheirRowOrder)
{
    AddLayout(3, QStringLiteral("Terrace"));
    AddLayout(1, QStringLiteral("Hall"));
    AddLayout(2, QStringLiteral("Bar"));
    AddPoint(0x10, 2, QStringLiteral("B1"));
    AddPoint(0x20, 3, QStringLiteral("T1"));

    const TLayOutTree tree = Read();
    EXPECT_EQ(LayoutNames(tree), (QStringList{"Hall", "Bar", "Terrace"}));
    EXPECT_TRUE(tree.Layouts[0]->Points.empty());   // a layout without points
    ASSERT_EQ(tree.Layouts[1]->Points.size(), 1u);
    EXPECT_EQ(tree.Layouts[1]->Points[0].Name, QStringLiteral("B1"));
    ASSERT_EQ(tree.Layouts[2]->Points.size(), 1u);
    EXPECT_EQ(tree.Layouts[2]->Points[0].Address, 0x20);
}

TEST_F(LayoutStoreTest, PointsKeepTheirStoredOrderAndStrayPointsAreNotRead)
{
    AddLayout(1, QStringLiteral("Hall"));
    AddPoint(0x30, 1, QStringLiteral("third-address-first"));
    AddPoint(0x05, 9, QStringLiteral("no such layout"));
    AddPoint(0x10, 1, QStringLiteral("second"));
    AddPoint(0x20, 1, QStringLiteral("third"));

    const TLayOutTree tree = Read();
    ASSERT_EQ(tree.Layouts.size(), 1u);
    const TLayOutPoints& points = tree.Layouts[0]->Points;
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].Name, QStringLiteral("third-address-first"));
    EXPECT_EQ(points[1].Name, QStringLiteral("second"));
    EXPECT_EQ(points[2].Name, QStringLiteral("third"));
}

TEST_F(LayoutStoreTest, OutOfRangeValuesAreCutAsTheyLoad)
{
    AddLayout(1, QStringLiteral("Hall"));
    AddPoint(0x1FFFF, 1, QStringLiteral("big"), 2, 500, 65536 + 500, 3);
    AddPoint(0x1234, 1, QStringLiteral("small"), 256 + 1, 65536 + 30, 400, 258);

    const TLayOutPoints points = Read().Layouts.at(0)->Points;
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].Address, 0xFFFF);
    EXPECT_EQ(points[0].Shape, 2);          // kept: any shape but 0 draws as a square
    EXPECT_EQ(points[0].Width, 400);
    EXPECT_EQ(points[0].Height, 400);       // cut to 16 bits (500), then capped
    EXPECT_EQ(points[0].TxtPos, 3);
    EXPECT_EQ(points[1].Address, 0x1234);
    EXPECT_EQ(points[1].Shape, 1);
    EXPECT_EQ(points[1].Width, 30);         // 65536 + 30 cut to 30, below the cap
    EXPECT_EQ(points[1].Height, 400);
    EXPECT_EQ(points[1].TxtPos, 2);
}

TEST_F(LayoutStoreTest, PointsLoadIdleWhateverColourWasStored)
{
    AddLayout(1, QStringLiteral("Hall"));
    AddPoint(7, 1, QStringLiteral("A1"), 1, 60, 40, 1, -5, 123);

    const TLayOutPoint p = Read().Layouts.at(0)->Points.at(0);
    EXPECT_EQ(p.XPos, -5);
    EXPECT_EQ(p.YPos, 123);
    EXPECT_EQ(p.BkColor, SkyBlue);
    EXPECT_EQ(p.TxtColor, 0u);
    EXPECT_EQ(p.CallState, IdleCallState);
    EXPECT_EQ(p.CallKey, 0);
    EXPECT_EQ(p.DrawnKey, 0);
    EXPECT_EQ(p.StateTick, 0u);
}

TEST_F(LayoutStoreTest, ReadingAgainReplacesTheTreeAndDropsTheSelection)
{
    AddLayout(1, QStringLiteral("Hall"));
    TLayOutTree tree = Read();
    tree.Layouts[0]->ActiveCalls = 3;
    tree.Selected = tree.Layouts[0].get();
    AddLayout(2, QStringLiteral("Bar"));

    ASSERT_TRUE(ReadSiteLayOutData(store, tree));
    EXPECT_EQ(LayoutNames(tree), (QStringList{"Hall", "Bar"}));
    EXPECT_EQ(tree.Layouts[0]->ActiveCalls, 0);
    EXPECT_EQ(tree.Selected, nullptr);
}

TEST_F(LayoutStoreTest, AFailingReadReportsTheErrorAndLeavesNoLayouts)
{
    AddLayout(1, QStringLiteral("Hall"));
    TLayOutTree tree = Read();
    ASSERT_TRUE(store.DetachTable(QStringLiteral("LayOutPoint")));

    QString error;
    EXPECT_FALSE(ReadSiteLayOutData(store, tree, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(tree.Layouts.empty());
}

class LayoutWriteTest : public LayoutStoreTest {
protected:
    static TLayOutPoint Point(uint16_t address, const QString& name)
    {
        TLayOutPoint p;
        p.Address = address;
        p.Name = name;
        p.Shape = 1;
        p.BkColor = 0x0000FF;
        p.XPos = 15;
        p.YPos = 25;
        p.Width = 80;
        p.Height = 50;
        p.TxtPos = 2;
        return p;
    }

    static void AddNode(TLayOutTree& tree, const QString& name, TLayOutPoints points)
    {
        auto node = std::make_unique<TLayOutNode>();
        node->Name = name;
        node->Points = std::move(points);
        tree.Layouts.push_back(std::move(node));
    }

    QList<QVariantList> Rows(const QString& sql)
    {
        QSqlQuery q(store.Database());
        EXPECT_TRUE(q.exec(sql));
        QList<QVariantList> rows;
        while (q.next()) {
            QVariantList row;
            for (int i = 0; i < q.record().count(); ++i)
                row << q.value(i);
            rows << row;
        }
        return rows;
    }
};

TEST_F(LayoutWriteTest, RoundTripKeepsTreeOrderPointsAndQuotedNames)
{
    TLayOutTree tree;
    AddNode(tree, QStringLiteral("Zebra \"VIP\" room"), {Point(0x20, QStringLiteral("Z'1")), Point(0x10, "Z2")});
    AddNode(tree, QStringLiteral("Alpha's hall"), {});
    AddNode(tree, QStringLiteral("大厅"), {Point(0xFFFF, QStringLiteral("一号桌"))});
    QString error;
    ASSERT_TRUE(WriteSiteLayOutData(store, tree, &error)) << error.toStdString();

    const TLayOutTree back = Read();
    EXPECT_EQ(LayoutNames(back), LayoutNames(tree));
    ASSERT_EQ(back.Layouts[0]->Points.size(), 2u);
    const TLayOutPoint& p = back.Layouts[0]->Points[0];
    EXPECT_EQ(p.Name, QStringLiteral("Z'1"));
    EXPECT_EQ(p.Address, 0x20);
    EXPECT_EQ(p.Shape, 1);
    EXPECT_EQ(p.XPos, 15);
    EXPECT_EQ(p.YPos, 25);
    EXPECT_EQ(p.Width, 80);
    EXPECT_EQ(p.Height, 50);
    EXPECT_EQ(p.TxtPos, 2);
    EXPECT_EQ(back.Layouts[0]->Points[1].Name, QStringLiteral("Z2"));
    EXPECT_TRUE(back.Layouts[1]->Points.empty());
    EXPECT_EQ(back.Layouts[2]->Points.at(0).Name, QStringLiteral("一号桌"));
}

TEST_F(LayoutWriteTest, RowsAreNumberedInTreeOrderWithColourAsHeldAndEmptyMemo)
{
    AddLayout(7, QStringLiteral("old"));
    AddPoint(1, 7, QStringLiteral("old point"));
    TLayOutTree tree;
    AddNode(tree, QStringLiteral("First"), {Point(0x31, "F1")});
    AddNode(tree, QStringLiteral("Second"), {Point(0x41, "S1"), Point(0x42, "S2")});
    ASSERT_TRUE(WriteSiteLayOutData(store, tree));

    EXPECT_EQ(Rows(QStringLiteral("select SN, Name, Memo from LayOutName order by SN")),
              (QList<QVariantList>{{1, "First", ""}, {2, "Second", ""}}));
    EXPECT_EQ(Rows(QStringLiteral("select Address, LayOut, Name, BkColor, Memo from LayOutPoint order by rowid")),
              (QList<QVariantList>{{0x31, 1, "F1", 0x0000FF, ""},
                                   {0x41, 2, "S1", 0x0000FF, ""},
                                   {0x42, 2, "S2", 0x0000FF, ""}}));
}

TEST_F(LayoutWriteTest, AFailedInsertLeavesTheStoredLayoutsAsTheyWere)
{
    AddLayout(1, QStringLiteral("Hall"));
    AddPoint(0x11, 1, QStringLiteral("H1"));
    Exec(QStringLiteral("create trigger LayOutPoint.RefuseBad before insert on LayOutPoint "
                        "when new.Name = 'bad' begin select raise(abort, 'point refused'); end"));

    TLayOutTree tree;
    AddNode(tree, QStringLiteral("New"), {Point(0x21, "good"), Point(0x22, "bad")});
    QString error;
    EXPECT_FALSE(WriteSiteLayOutData(store, tree, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("point refused"))) << error.toStdString();

    const TLayOutTree back = Read();
    EXPECT_EQ(LayoutNames(back), QStringList{"Hall"});
    ASSERT_EQ(back.Layouts[0]->Points.size(), 1u);
    EXPECT_EQ(back.Layouts[0]->Points[0].Name, QStringLiteral("H1"));
}

}  // namespace
