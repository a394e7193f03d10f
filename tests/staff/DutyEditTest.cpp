// The duty dialog's choices and checks.
#include "StaffTestData.h"
#include "staff/DutyEdit.h"

#include <gtest/gtest.h>

namespace {

TDutyInput Chosen(int staff, std::optional<QString> area, std::optional<QString> position)
{
    TDutyInput in;
    in.StaffChoice = staff;
    in.Area = std::move(area);
    in.Position = std::move(position);
    return in;
}

TEST(DutyEditTest, ChecksRunInOrderStaffAreaPosition)
{
    const TTextGrid staff = MakeStaff({{"1", "Ann"}});
    auto problem = CheckDutyInput(staff, Chosen(-1, std::nullopt, std::nullopt));
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->Field, TEditField::Staff);
    EXPECT_EQ(problem->CaptionId, 112);
    EXPECT_EQ(problem->TextId, 1322);

    problem = CheckDutyInput(staff, Chosen(0, std::nullopt, std::nullopt));
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->Field, TEditField::Area);
    EXPECT_EQ(problem->TextId, 1323);

    problem = CheckDutyInput(staff, Chosen(0, QStringLiteral("Hall"), std::nullopt));
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->Field, TEditField::Position);
    EXPECT_EQ(problem->TextId, 1324);

    EXPECT_FALSE(CheckDutyInput(staff, Chosen(0, QStringLiteral("Hall"), QStringLiteral("T1"))));
}

TEST(DutyEditTest, AStaffChoiceOutsideTheGridIsNoChoice)
{
    const TTextGrid empty(StaffColumnCount);
    EXPECT_TRUE(StaffChoices(empty).isEmpty());
    const auto problem = CheckDutyInput(empty, Chosen(0, QStringLiteral("Hall"), QStringLiteral("T1")));
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->TextId, 1322);
}

TEST(DutyEditTest, RowCopiesNumberAndNameFromTheStaffGridAsEdited)
{
    TTextGrid staff = MakeStaff({{"1", "Ann"}, {"2", "Bob"}});
    TDutyInput in = Chosen(1, QStringLiteral("Hall"), QStringLiteral("T1"));
    in.Start = QTime(22, 0, 0);
    in.End = QTime(6, 0, 0);
    EXPECT_EQ(DutyRow(staff, in), QStringList({"2", "Bob", "22:00:00", "06:00:00", "Hall", "T1"}));
    // The times are not compared with each other.
    EXPECT_FALSE(CheckDutyInput(staff, in));

    // A staff member added and not yet saved is a choice too.
    staff.Add(0, {"9", "Cid", SexText(true), "", "0", ""});
    EXPECT_EQ(StaffChoices(staff), QStringList({"Cid", "Ann", "Bob"}));
    EXPECT_EQ(StaffChoiceOfName(staff, "Bob"), 2);
    EXPECT_EQ(StaffChoiceOfName(staff, "Nobody"), -1);
}

TEST(DutyEditTest, PositionsComeFromTheFirstLayoutOfTheArea)
{
    const TLayOutTree tree = MakeTree({{"Hall", {{1, "T1"}, {2, "T2"}}},
                                       {"Patio", {{3, "P1"}}},
                                       {"Hall", {{4, "T9"}}}});
    EXPECT_EQ(AreaChoices(tree), QStringList({"Hall", "Patio", "Hall"}));
    EXPECT_EQ(PositionChoices(tree, "Hall"), QStringList({"T1", "T2"}));
    EXPECT_EQ(PositionChoices(tree, "Patio"), QStringList({"P1"}));
    EXPECT_TRUE(PositionChoices(tree, "hall").isEmpty());
}

}  // namespace
