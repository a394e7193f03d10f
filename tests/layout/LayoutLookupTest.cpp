// Finding a call point by address and an address by layout and point names,
// in tree order.
#include "layout/LayoutLookup.h"

#include <gtest/gtest.h>

namespace {

TLayOutPoint Point(uint16_t address, const QString& name)
{
    TLayOutPoint p;
    p.Address = address;
    p.Name = name;
    return p;
}

class LayoutLookupTest : public ::testing::Test {
protected:
    TLayOutNode* Add(const QString& name, TLayOutPoints points)
    {
        auto node = std::make_unique<TLayOutNode>();
        node->Name = name;
        node->Points = std::move(points);
        tree.Layouts.push_back(std::move(node));
        return tree.Layouts.back().get();
    }

    TLayOutTree tree;
};

TEST_F(LayoutLookupTest, FindCallPointGivesLayoutPointAndIndex)
{
    Add(QStringLiteral("Hall"), {Point(1, "H1"), Point(2, "H2")});
    TLayOutNode* bar = Add(QStringLiteral("Bar"), {Point(3, "B1"), Point(0xFFFF, "B2")});

    const auto found = FindCallPoint(tree, 0xFFFF);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Node, bar);
    EXPECT_EQ(found->PointIndex, 1);
    EXPECT_EQ(found->LayoutName, QStringLiteral("Bar"));
    EXPECT_EQ(found->PointName, QStringLiteral("B2"));
}

TEST_F(LayoutLookupTest, FindCallPointTakesTheFirstOfDuplicatesInTreeOrder)
{
    Add(QStringLiteral("Empty"), {});
    TLayOutNode* hall = Add(QStringLiteral("Hall"), {Point(9, "first"), Point(5, "H2"), Point(5, "H3")});
    Add(QStringLiteral("Bar"), {Point(5, "B1")});

    const auto found = FindCallPoint(tree, 5);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Node, hall);
    EXPECT_EQ(found->PointIndex, 1);
    EXPECT_EQ(found->PointName, QStringLiteral("H2"));
}

TEST_F(LayoutLookupTest, FindCallPointMissesUnknownAddressesAndEmptyTrees)
{
    EXPECT_FALSE(FindCallPoint(tree, 0));
    Add(QStringLiteral("Hall"), {Point(1, "H1")});
    EXPECT_FALSE(FindCallPoint(tree, 2));
}

TEST_F(LayoutLookupTest, FindCallPointAddressMatchesNamesExactly)
{
    Add(QStringLiteral("Hall"), {Point(1, "Table 1"), Point(2, "Table 2")});

    EXPECT_EQ(FindCallPointAddress(tree, QStringLiteral("Hall"), QStringLiteral("Table 2")), 2);
    EXPECT_FALSE(FindCallPointAddress(tree, QStringLiteral("hall"), QStringLiteral("Table 2")));
    EXPECT_FALSE(FindCallPointAddress(tree, QStringLiteral("Hall"), QStringLiteral("table 2")));
    EXPECT_FALSE(FindCallPointAddress(tree, QStringLiteral("Hall"), QStringLiteral("Table")));
    EXPECT_FALSE(FindCallPointAddress(tree, QStringLiteral("Bar"), QStringLiteral("Table 1")));
}

TEST_F(LayoutLookupTest, FindCallPointAddressSearchesOnPastASameNamedLayoutWithoutThePoint)
{
    Add(QStringLiteral("Hall"), {Point(1, "H1")});
    Add(QStringLiteral("Bar"), {Point(2, "T9")});
    Add(QStringLiteral("Hall"), {Point(3, "T9"), Point(4, "T9")});

    EXPECT_EQ(FindCallPointAddress(tree, QStringLiteral("Hall"), QStringLiteral("T9")), 3);
    EXPECT_EQ(FindCallPointAddress(tree, QStringLiteral("Hall"), QStringLiteral("H1")), 1);
}

}  // namespace
