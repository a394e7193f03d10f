// The layout editor's edits on its own tree: where new layouts go, name limits,
// reordering, point edits and renumbering, drag limits, and saving.
#include "core/DataStore.h"
#include "core/GbkCodec.h"
#include "core/ResStrings.h"
#include "layout/LayoutEditModel.h"
#include "layout/LayoutStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TLayOutPoint Point(uint16_t address, const QString& name = {})
{
    TLayOutPoint p;
    p.Address = address;
    p.Name = name;
    p.Width = 80;
    p.Height = 60;
    return p;
}

class LayoutEditModelTest : public ::testing::Test {
protected:
    // Layouts named as given, each with the points given for it.
    void Build(const QStringList& names, const std::vector<TLayOutPoints>& points = {})
    {
        for (int i = 0; i < names.size(); ++i) {
            auto node = std::make_unique<TLayOutNode>();
            node->Name = names[i];
            if (static_cast<size_t>(i) < points.size())
                node->Points = points[static_cast<size_t>(i)];
            model.Tree().Layouts.push_back(std::move(node));
        }
    }

    QStringList Names() const
    {
        QStringList names;
        for (int i = 0; i < model.LayoutCount(); ++i)
            names << model.Layout(i).Name;
        return names;
    }

    QStringList PointNames() const
    {
        QStringList names;
        for (const TLayOutPoint& p : *model.SelectedPoints())
            names << p.Name;
        return names;
    }

    TLayOutEditModel model;
};

TEST_F(LayoutEditModelTest, NewLayoutIsAppendedUnderTheRootAndInsertedBeforeASelectedLayout)
{
    Build({"Hall", "Bar"});
    EXPECT_EQ(model.AddLayout(), 2);   // root selected
    EXPECT_EQ(Names(), (QStringList{"Hall", "Bar", LoadResStr(1006)}));
    EXPECT_EQ(model.SelectedIndex(), 2);
    EXPECT_TRUE(model.Changed());

    model.Select(1);
    EXPECT_EQ(model.AddLayout(), 1);
    EXPECT_EQ(Names(), (QStringList{"Hall", QStringLiteral("新建场所布局"), "Bar", LoadResStr(1006)}));
    EXPECT_EQ(model.SelectedIndex(), 1);
    ASSERT_NE(model.SelectedPoints(), nullptr);
    EXPECT_TRUE(model.SelectedPoints()->empty());
}

TEST_F(LayoutEditModelTest, BlankNamesAreRefusedAndLongNamesCutToFortyTwoBytes)
{
    Build({"Hall"});
    EXPECT_FALSE(model.RenameLayout(0, QStringLiteral(" \t  ")).has_value());
    EXPECT_FALSE(model.RenameLayout(0, QString()).has_value());
    EXPECT_EQ(model.Layout(0).Name, QStringLiteral("Hall"));
    EXPECT_FALSE(model.Changed());

    // 25 Chinese characters are 50 bytes: 21 of them fit.
    const QString chinese = QString(25, QChar(0x5385));
    EXPECT_EQ(model.RenameLayout(0, chinese), QString(21, QChar(0x5385)));
    EXPECT_EQ(GbkLength(model.Layout(0).Name), 42);
    EXPECT_TRUE(model.Changed());

    // An odd byte left over is not half a character.
    EXPECT_EQ(model.RenameLayout(0, QStringLiteral("a") + chinese), QStringLiteral("a") + QString(20, QChar(0x5385)));

    // Blanks around a name that fits are kept as entered; around a long one they count in the cut.
    EXPECT_EQ(model.RenameLayout(0, QStringLiteral("  Hall  ")), QStringLiteral("  Hall  "));
    const QString padded = QStringLiteral("  ") + QString(41, QLatin1Char('x'));
    EXPECT_EQ(model.RenameLayout(0, padded), padded);
    EXPECT_EQ(model.RenameLayout(0, QStringLiteral("  ") + QString(43, QLatin1Char('x'))),
              QStringLiteral("  ") + QString(40, QLatin1Char('x')));
}

TEST_F(LayoutEditModelTest, DeletingTheSelectedLayoutSelectsTheRoot)
{
    Build({"Hall", "Bar"}, {{Point(1)}, {Point(2)}});
    model.Select(0);
    model.DeleteLayout(0);
    EXPECT_EQ(Names(), QStringList{"Bar"});
    EXPECT_EQ(model.SelectedIndex(), -1);
    EXPECT_EQ(model.SelectedPoints(), nullptr);
    EXPECT_TRUE(model.Changed());
    EXPECT_FALSE(model.AddressInUse(1));
}

TEST_F(LayoutEditModelTest, ADraggedLayoutLandsJustBeforeTheTargetAndKeepsItsSelection)
{
    Build({"A", "B", "C", "D"});
    model.Select(0);
    EXPECT_TRUE(model.MoveLayout(0, 2));
    EXPECT_EQ(Names(), (QStringList{"B", "A", "C", "D"}));
    EXPECT_EQ(model.SelectedIndex(), 1);

    EXPECT_TRUE(model.MoveLayout(3, 0));
    EXPECT_EQ(Names(), (QStringList{"D", "B", "A", "C"}));
    EXPECT_EQ(model.SelectedIndex(), 2);
}

TEST_F(LayoutEditModelTest, ADropOntoItselfOrNowhereChangesNothing)
{
    Build({"A", "B"});
    EXPECT_FALSE(model.MoveLayout(1, 1));
    EXPECT_FALSE(model.MoveLayout(0, -1));
    EXPECT_FALSE(model.MoveLayout(-1, 0));
    EXPECT_EQ(Names(), (QStringList{"A", "B"}));
    EXPECT_FALSE(model.Changed());
}

TEST_F(LayoutEditModelTest, PointEditsApplyToTheSelectedLayoutAndRenumberAfterADelete)
{
    Build({"Hall", "Bar"}, {{Point(1, "p0"), Point(2, "p1"), Point(3, "p2")}, {Point(9, "b0")}});
    model.Select(0);
    model.DeletePoint(0);
    EXPECT_EQ(PointNames(), (QStringList{"p1", "p2"}));
    EXPECT_TRUE(model.Changed());

    EXPECT_EQ(model.AddPoint(Point(4, "p3")), 2);
    model.ModifyPoint(0, Point(5, "first"));
    EXPECT_EQ(PointNames(), (QStringList{"first", "p2", "p3"}));
    EXPECT_FALSE(model.AddressInUse(2));
    EXPECT_TRUE(model.AddressInUse(5));

    model.MovePoint(1, QPoint(40, 50));
    EXPECT_EQ(model.SelectedPoints()->at(1).XPos, 40);
    EXPECT_EQ(model.SelectedPoints()->at(1).YPos, 50);

    model.EmptyPoints();
    EXPECT_TRUE(model.SelectedPoints()->empty());
    EXPECT_EQ(model.Layout(1).Points.size(), 1u);
}

TEST_F(LayoutEditModelTest, AddressesInUseSpanEveryLayoutIncludingUnsavedOnes)
{
    Build({"Hall"}, {{Point(0x10)}});
    model.AddLayout();
    model.AddPoint(Point(0x1A2));
    model.Select(0);
    EXPECT_TRUE(model.AddressInUse(0x10));
    EXPECT_TRUE(model.AddressInUse(0x1A2));
    EXPECT_FALSE(model.AddressInUse(0x1A3));
}

TEST(DraggedPointPosTest, StaysThreePixelsInsideTheTopLeftAndWithinTheBottomRight)
{
    const QSize panel(500, 300);
    const QRect image(100, 100, 80, 60);
    const QPoint grab(10, 10);
    EXPECT_EQ(DraggedPointPos(image, grab, QPoint(30, 25), panel), QPoint(120, 115));
    EXPECT_EQ(DraggedPointPos(image, grab, QPoint(-200, -200), panel), QPoint(3, 3));
    EXPECT_EQ(DraggedPointPos(image, grab, QPoint(1000, 1000), panel), QPoint(420, 240));
    // The right side may meet the panel's width exactly.
    EXPECT_EQ(DraggedPointPos(image, grab, QPoint(330, 10), panel), QPoint(420, 100));
    EXPECT_EQ(DraggedPointPos(image, grab, QPoint(329, 10), panel), QPoint(419, 100));
}

class LayoutEditSaveTest : public LayoutEditModelTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        ASSERT_TRUE(store.Open(tmp.path()));
    }

    void Exec(const QString& sql, const QVariantList& values = {})
    {
        TQuery q(store);
        q.SetSQL(sql);
        for (const QVariant& v : values)
            q.Bind(v);
        ASSERT_TRUE(q.ExecSQL()) << q.LastError().toStdString();
    }

    QStringList Stored(const QString& sql)
    {
        TQuery q(store);
        q.SetSQL(sql);
        EXPECT_TRUE(q.Open()) << q.LastError().toStdString();
        QStringList rows;
        for (q.First(); !q.Eof(); q.Next()) {
            QStringList cells;
            for (const QString& column : q.FieldNames())
                cells << q.FieldAsString(column);
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }

    QTemporaryDir tmp;
    TDM_Sys store;
};

TEST_F(LayoutEditSaveTest, SavedLayoutsAreNumberedInTreeOrder)
{
    Exec(QStringLiteral("insert into LayOutName values(1, 'Hall', '')"));
    Exec(QStringLiteral("insert into LayOutName values(2, 'Bar', '')"));
    Exec(QStringLiteral("insert into LayOutPoint values(16, 2, 'B1', 0, 0, 5, 6, 0, 50, 50, '')"));
    ASSERT_TRUE(model.Load(store));
    EXPECT_FALSE(model.Changed());

    ASSERT_TRUE(model.MoveLayout(1, 0));
    model.Select(0);
    model.AddPoint(Point(0x20, "B2"));
    QString error;
    ASSERT_TRUE(model.Save(store, &error)) << error.toStdString();
    EXPECT_FALSE(model.Changed());

    EXPECT_EQ(Stored(QStringLiteral("select SN, Name from LayOutName order by SN")),
              (QStringList{"1|Bar", "2|Hall"}));
    EXPECT_EQ(Stored(QStringLiteral("select Address, LayOut, Name from LayOutPoint order by rowid")),
              (QStringList{"16|1|B1", "32|1|B2"}));
}

TEST_F(LayoutEditSaveTest, AFailureInTheMiddleOfASaveKeepsTheStoredRowsAndTheEdits)
{
    Exec(QStringLiteral("insert into LayOutName values(1, 'Hall', '')"));
    Exec(QStringLiteral("insert into LayOutPoint values(16, 1, 'H1', 0, 0, 5, 6, 0, 50, 50, '')"));
    Exec(QStringLiteral("create trigger LayOutPoint.RefuseBad before insert on LayOutPoint "
                        "when new.Name = 'bad' begin select raise(abort, 'point refused'); end"));
    ASSERT_TRUE(model.Load(store));
    model.Select(0);
    model.AddPoint(Point(0x21, "good"));
    model.AddPoint(Point(0x22, "bad"));
    model.AddPoint(Point(0x23, "after"));

    QString error;
    EXPECT_FALSE(model.Save(store, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("point refused"))) << error.toStdString();
    EXPECT_TRUE(model.Changed());
    EXPECT_EQ(PointNames(), (QStringList{"H1", "good", "bad", "after"}));

    EXPECT_EQ(Stored(QStringLiteral("select SN, Name from LayOutName")), QStringList{"1|Hall"});
    EXPECT_EQ(Stored(QStringLiteral("select Address, LayOut, Name from LayOutPoint")), QStringList{"16|1|H1"});
}

}  // namespace
