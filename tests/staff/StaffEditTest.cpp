// The staff dialog's checks in their order, and the cancel-unit address read as hexadecimal.
#include "StaffTestData.h"
#include "core/ResStrings.h"
#include "staff/StaffEdit.h"

#include <gtest/gtest.h>

namespace {

TStaffInput Entry(const QString& number, const QString& name)
{
    TStaffInput in;
    in.Number = number;
    in.Name = name;
    return in;
}

void ExpectProblem(const std::optional<TEditProblem>& problem, TEditField field, int caption, int text)
{
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->Field, field);
    EXPECT_EQ(problem->CaptionId, caption);
    EXPECT_EQ(problem->TextId, text);
}

TEST(StaffEditTest, ChecksRunInOrderNumberNameDuplicate)
{
    const TTextGrid staff = MakeStaff({{"7", "Ann"}});
    // Everything wrong at once: the number is reported first.
    ExpectProblem(CheckStaffInput(staff, Entry("  ", " "), -1), TEditField::Number, 113, 1327);
    // A duplicate number with a blank name: the name comes before the duplicate.
    ExpectProblem(CheckStaffInput(staff, Entry("7", "\t"), -1), TEditField::Name, 113, 1313);
    ExpectProblem(CheckStaffInput(staff, Entry(" 7 ", "Bob"), -1), TEditField::Number, 112, 1314);
    EXPECT_FALSE(CheckStaffInput(staff, Entry("8", "Bob"), -1).has_value());
}

TEST(StaffEditTest, DuplicateNumberOnlyWhenTheNumberChanges)
{
    const TTextGrid staff = MakeStaff({{"1", "Ann"}, {"2", "Bob"}});
    EXPECT_FALSE(CheckStaffInput(staff, Entry("2", "Robert"), 1).has_value());
    EXPECT_FALSE(CheckStaffInput(staff, Entry(" 2 ", "Robert"), 1).has_value());
    ExpectProblem(CheckStaffInput(staff, Entry("1", "Robert"), 1), TEditField::Number, 112, 1314);
    EXPECT_FALSE(CheckStaffInput(staff, Entry("3", "Robert"), 1).has_value());
    // Numbers compare exactly: another letter case is another number.
    const TTextGrid lettered = MakeStaff({{"a1", "Ann"}});
    EXPECT_FALSE(CheckStaffInput(lettered, Entry("A1", "Bob"), -1).has_value());
}

TEST(StaffEditTest, TheEmptyRowOfAGridWithoutRowsIsNoDuplicate)
{
    const TTextGrid empty(StaffColumnCount);
    EXPECT_FALSE(CheckStaffInput(empty, Entry("1", "Ann"), -1).has_value());
}

TEST(StaffEditTest, AcceptedRowTrimsNumberAndNameOnly)
{
    TStaffInput in = Entry("  12 ", " Ann  ");
    in.Male = false;
    in.Phone = " 555 ";
    in.CancelAddr = "1a";
    in.Remark = " note ";
    const QStringList row = StaffRow(in);
    EXPECT_EQ(row, QStringList({"12", "Ann", LoadResStr(1115), " 555 ", "1a", " note "}));

    const TStaffInput back = StaffInputOfRow(row);
    EXPECT_FALSE(back.Male);
    EXPECT_EQ(back.CancelAddr, "1a");
    EXPECT_TRUE(StaffInputOfRow(StaffRow(Entry("1", "B"))).Male);
}

TEST(StaffEditTest, CancelAddressIsReadAsHexadecimal)
{
    EXPECT_EQ(CancelAddrOfText("1a"), 26);
    EXPECT_EQ(CancelAddrOfText("1A"), 26);
    EXPECT_EQ(CancelAddrOfText(" ff "), 255);
    EXPECT_EQ(CancelAddrOfText("0001a"), 26);
    EXPECT_EQ(CancelAddrOfText(""), 0);
    EXPECT_EQ(CancelAddrOfText("   "), 0);
    EXPECT_EQ(CancelAddrOfText("xyz"), 0);
    EXPECT_EQ(CancelAddrOfText("1g"), 0);
    EXPECT_EQ(CancelAddrOfText("-1"), 0);
    EXPECT_EQ(CancelAddrOfText("0x1a"), 0);
    EXPECT_EQ(CancelAddrOfText("1 a"), 0);
    EXPECT_EQ(CancelAddrOfText("100000000"), 0);   // more than 32 bits
}

TEST(StaffEditTest, CancelAddressTextIsUpperCaseWithoutLeadingZeros)
{
    EXPECT_EQ(CancelAddrText(26), "1A");
    EXPECT_EQ(CancelAddrText(0), "0");
    EXPECT_EQ(CancelAddrText(0xABCDEF), "ABCDEF");
    // The full 32 bits survive a round trip through the text.
    EXPECT_EQ(CancelAddrText(CancelAddrOfText("FFFFFFFF")), "FFFFFFFF");
    EXPECT_EQ(CancelAddrOfText(CancelAddrText(-2)), -2);
}

}  // namespace
