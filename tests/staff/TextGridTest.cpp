// Row placement of the staff window's grids and the duty grid's header sort.
#include "staff/TextGrid.h"

#include <gtest/gtest.h>

namespace {

QStringList Column(const TTextGrid& grid, int column)
{
    QStringList cells;
    for (int r = 0; r < grid.RowCount(); ++r)
        cells << grid.Cell(r, column);
    return cells;
}

TTextGrid GridOf(const QStringList& firstColumn)
{
    TTextGrid grid(2);
    for (int i = 0; i < firstColumn.size(); ++i)
        grid.Append({firstColumn[i], QString::number(i)});
    return grid;
}

TEST(TextGridTest, EmptyGridShowsOneEmptyRowThatTheFirstAddFills)
{
    TTextGrid grid(3);
    EXPECT_FALSE(grid.HoldsRows());
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.DataRowCount(), 0);
    EXPECT_EQ(grid.Row(0), QStringList({"", "", ""}));

    EXPECT_EQ(grid.Add(0, {"a", "b", "c"}), 0);
    EXPECT_TRUE(grid.HoldsRows());
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.Row(0), QStringList({"a", "b", "c"}));
}

TEST(TextGridTest, AddInsertsAtTheSelectedRowAndPushesItDown)
{
    TTextGrid grid = GridOf({"a", "b", "c"});
    EXPECT_EQ(grid.Add(1, {"new"}), 1);
    EXPECT_EQ(Column(grid, 0), QStringList({"a", "new", "b", "c"}));
    EXPECT_EQ(grid.Row(1), QStringList({"new", ""}));   // short rows are padded to the columns

    EXPECT_EQ(grid.Add(0, {"top"}), 0);
    EXPECT_EQ(Column(grid, 0), QStringList({"top", "a", "new", "b", "c"}));
}

TEST(TextGridTest, ModifyWritesTheSelectedRowOnlyWhenTheGridHoldsRows)
{
    TTextGrid grid = GridOf({"a", "b"});
    grid.Modify(1, {"B", "x"});
    EXPECT_EQ(grid.Row(1), QStringList({"B", "x"}));
    EXPECT_EQ(grid.Row(0), QStringList({"a", "0"}));

    TTextGrid empty(2);
    empty.Modify(0, {"ghost", "x"});
    EXPECT_FALSE(empty.HoldsRows());
    EXPECT_EQ(empty.Row(0), QStringList({"", ""}));
}

TEST(TextGridTest, DeleteMovesLaterRowsUpAndTheLastRowEmptiesTheGrid)
{
    TTextGrid grid = GridOf({"a", "b", "c"});
    grid.Delete(0);
    EXPECT_EQ(Column(grid, 0), QStringList({"b", "c"}));
    grid.Delete(1);
    EXPECT_EQ(Column(grid, 0), QStringList({"b"}));

    grid.Delete(0);
    EXPECT_FALSE(grid.HoldsRows());
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.Row(0), QStringList({"", ""}));

    // The next add fills the emptied row instead of adding a second one.
    grid.Add(0, {"z"});
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_TRUE(grid.HoldsRows());
}

TEST(TextGridTest, SortMarkerFlipsOnTheSameColumnAndStartsAscendingOnAnother)
{
    int marker = 0;
    marker = NextSortMarker(marker, 2);
    EXPECT_EQ(marker, 3);
    marker = NextSortMarker(marker, 2);
    EXPECT_EQ(marker, -3);
    marker = NextSortMarker(marker, 2);
    EXPECT_EQ(marker, 3);
    marker = NextSortMarker(-3, 0);
    EXPECT_EQ(marker, 1);
}

TEST(TextGridTest, TableSortComparesTextsByteByByte)
{
    TTextGrid grid = GridOf({"9", "10", "2", "100"});
    int marker = 0;
    TableSort(grid, marker, 0);
    EXPECT_EQ(marker, 1);
    EXPECT_EQ(Column(grid, 0), QStringList({"10", "100", "2", "9"}));
    // Whole rows move together.
    EXPECT_EQ(Column(grid, 1), QStringList({"1", "3", "2", "0"}));

    TableSort(grid, marker, 0);
    EXPECT_EQ(marker, -1);
    EXPECT_EQ(Column(grid, 0), QStringList({"9", "2", "100", "10"}));
}

TEST(TextGridTest, ChineseNamesSortInTheCodePageOrder)
{
    // In code page 936 李 (C0 EE) comes before 张 (D5 C5); in UTF-16 it is the other way round.
    TTextGrid grid = GridOf({QStringLiteral("张三"), QStringLiteral("李四"), QStringLiteral("Adam")});
    grid.SortByColumn(0, true);
    EXPECT_EQ(Column(grid, 0), QStringList({QStringLiteral("Adam"), QStringLiteral("李四"), QStringLiteral("张三")}));
}

TEST(TextGridTest, SortLeavesTheEmptyRowAlone)
{
    TTextGrid grid(2);
    int marker = 0;
    TableSort(grid, marker, 1);
    EXPECT_EQ(marker, 2);
    EXPECT_FALSE(grid.HoldsRows());
    EXPECT_EQ(grid.RowCount(), 1);
}

}  // namespace
