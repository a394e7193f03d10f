// The call-point dialog's checks: hexadecimal addresses, sizes capped at 400,
// duplicate addresses over the whole unsaved tree, and what the fields show.
#include "core/ResStrings.h"
#include "layout/CallPointForm.h"
#include "layout/LayoutEditModel.h"

#include <gtest/gtest.h>

namespace {

TEST(CallPointFormTest, AddressesAreOneToFourHexadecimalDigits)
{
    EXPECT_EQ(ParsePointAddress(QStringLiteral("1a2")), 0x1A2);
    EXPECT_EQ(ParsePointAddress(QStringLiteral("1A2")), 0x1A2);
    EXPECT_EQ(ParsePointAddress(QStringLiteral("0")), 0);
    EXPECT_EQ(ParsePointAddress(QStringLiteral("ffff")), 0xFFFF);
    for (const char* bad : {"1.2", "", ".", "12345", "1g", " 12", "-1", "0x12"})
        EXPECT_FALSE(ParsePointAddress(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(CallPointFormTest, SizesAreDecimalAndCappedAtFourHundred)
{
    EXPECT_EQ(ParsePointSize(QStringLiteral("500")), 400);
    EXPECT_EQ(ParsePointSize(QStringLiteral("400")), 400);
    EXPECT_EQ(ParsePointSize(QStringLiteral("399")), 399);
    EXPECT_EQ(ParsePointSize(QStringLiteral("0")), 0);
    EXPECT_EQ(ParsePointSize(QStringLiteral("65616")), 400);    // not cut to 16 bits first
    EXPECT_EQ(ParsePointSize(QStringLiteral("99999999999999999999999")), 400);
    for (const QString& bad : {QString(), QStringLiteral("1a"), QStringLiteral("-5"), QStringLiteral("５")})
        EXPECT_FALSE(ParsePointSize(bad).has_value()) << bad.toStdString();
}

TEST(CallPointFormTest, FieldsShowUpperCaseAddressAndTheChoiceThePointDrawsAs)
{
    TLayOutPoint p;
    p.Address = 0x0ABC;
    p.Shape = 2;
    p.TxtPos = 3;
    p.Width = 120;
    p.Height = 7;
    p.Name = QStringLiteral("一号桌");
    const TCallPointForm form = FormOfPoint(p);
    EXPECT_EQ(form.Address, QStringLiteral("ABC"));
    EXPECT_EQ(form.Shape, 1);
    EXPECT_EQ(form.TxtPos, 2);
    EXPECT_EQ(form.Width, QStringLiteral("120"));
    EXPECT_EQ(form.Height, QStringLiteral("7"));
    EXPECT_EQ(form.Name, p.Name);
    EXPECT_EQ(FormOfPoint(NewCallPoint()).Address, QStringLiteral("0"));
}

class ApplyCallPointFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        model.AddLayout();
        TLayOutPoint hall;
        hall.Address = 0x10;
        model.AddPoint(hall);
        // An unsaved layout holding 0x1A2, selected as the one being edited.
        model.AddLayout();
        TLayOutPoint bar;
        bar.Address = 0x1A2;
        bar.XPos = 33;
        bar.YPos = 44;
        bar.BkColor = 0x123456;
        model.AddPoint(bar);
    }

    static TCallPointForm Form(const QString& address, const QString& width = QStringLiteral("80"))
    {
        TCallPointForm f;
        f.Name = QStringLiteral("  二号桌 ");
        f.Address = address;
        f.Shape = 0;
        f.Width = width;
        f.Height = QStringLiteral("60");
        f.TxtPos = 2;
        return f;
    }

    TLayOutEditModel model;
};

TEST_F(ApplyCallPointFormTest, AnAddressUsedInAnyLayoutIsRefusedWhenAdding)
{
    for (const char* used : {"10", "1a2", "1A2"}) {
        SCOPED_TRACE(used);
        TLayOutPoint record = NewCallPoint();
        const auto refusal = ApplyCallPointForm(Form(QString::fromLatin1(used)), true, model, record);
        ASSERT_TRUE(refusal.has_value()) << used;
        EXPECT_EQ(refusal->Caption, 112);
        EXPECT_EQ(refusal->Text, QStringLiteral("呼叫器地址不能重复"));
        EXPECT_EQ(record.Address, 0);   // nothing written
        EXPECT_TRUE(record.Name.isEmpty());
    }
}

TEST_F(ApplyCallPointFormTest, AnAcceptedEntryWritesTheFieldsAndKeepsPositionAndColour)
{
    TLayOutPoint record = NewCallPoint();
    EXPECT_FALSE(ApplyCallPointForm(Form(QStringLiteral("1a3"), QStringLiteral("500")), true, model, record));
    EXPECT_EQ(record.Address, 0x1A3);
    EXPECT_EQ(record.Name, QStringLiteral("二号桌"));
    EXPECT_EQ(record.Shape, 0);
    EXPECT_EQ(record.TxtPos, 2);
    EXPECT_EQ(record.Width, 400);
    EXPECT_EQ(record.Height, 60);
    EXPECT_EQ(QPoint(record.XPos, record.YPos), QPoint(3, 3));
    EXPECT_EQ(record.BkColor, SkyBlue);
}

TEST_F(ApplyCallPointFormTest, ModifyingMayKeepTheOwnAddressButNotTakeAnother)
{
    TLayOutPoint record = model.SelectedPoints()->at(0);
    EXPECT_FALSE(ApplyCallPointForm(Form(QStringLiteral("1A2"), QStringLiteral("0")), false, model, record));
    EXPECT_EQ(record.Width, 0);
    EXPECT_EQ(QPoint(record.XPos, record.YPos), QPoint(33, 44));
    EXPECT_EQ(record.BkColor, 0x123456u);

    const auto refusal = ApplyCallPointForm(Form(QStringLiteral("10")), false, model, record);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->Text, LoadResStr(1025));
    EXPECT_EQ(record.Address, 0x1A2);
}

TEST_F(ApplyCallPointFormTest, TextsThatAreNoNumbersAreRefusedWithoutWritingAnything)
{
    TLayOutPoint record = NewCallPoint();
    const std::pair<const char*, TCallPointForm> forms[] = {
        {"address with a dot", Form(QStringLiteral("1.2"))}, {"no address", Form(QString())},
        {"no size", Form(QStringLiteral("20"), QString())}};
    for (const auto& [name, form] : forms) {
        SCOPED_TRACE(name);
        const auto refusal = ApplyCallPointForm(form, true, model, record);
        ASSERT_TRUE(refusal.has_value());
        EXPECT_EQ(refusal->Caption, 112);
        EXPECT_FALSE(refusal->Text.isEmpty());
        EXPECT_EQ(record.Address, 0);
        EXPECT_EQ(record.Width, 80);
    }
}

}  // namespace
