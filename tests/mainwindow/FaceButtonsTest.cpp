#include "mainwindow/FaceButtons.h"
#include "operators/LoginMsg.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr int ClientWidth = 956;

// Every character 12 pixels wide: the rectangles follow from caption lengths.
int FakeWidth(const QString& text) { return static_cast<int>(text.size()) * 12; }

class FaceButtonsTest : public ::testing::Test {
protected:
    void SetUp() override { buttons.InitMainFaceButton(ClientWidth, FakeWidth); }

    QPoint Centre(int n) const
    {
        const TFuncButton& b = buttons.Button(n);
        return QPoint((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
    }
    int Click(int n)
    {
        buttons.MouseDown(Centre(n));
        return buttons.MouseUp(Centre(n));
    }
    std::set<int> EnabledFaceButtons() const
    {
        std::set<int> enabled;
        for (int n = BtnLogin; n <= BtnAbout; ++n)
            if (buttons.Button(n).Enabled)
                enabled.insert(n);
        return enabled;
    }

    TFaceButtons buttons;
};

TEST_F(FaceButtonsTest, SystemButtonsFollowTheClientWidth)
{
    EXPECT_EQ(buttons.Button(BtnMinimise).Left, ClientWidth - 83);
    EXPECT_EQ(buttons.Button(BtnMinimise).Right, ClientWidth - 58);
    EXPECT_EQ(buttons.Button(BtnMaximise).Left, ClientWidth - 58);
    EXPECT_EQ(buttons.Button(BtnClose).Right, ClientWidth - 8);
    EXPECT_EQ(buttons.Button(BtnClose).Top, 8);
    EXPECT_EQ(buttons.Button(BtnClose).Bottom, 26);

    buttons.PlaceSysButtons(700);
    EXPECT_EQ(buttons.Button(BtnMinimise).Left, 617);
    EXPECT_EQ(buttons.Button(BtnClose).Right, 692);
    // The face buttons stay where creation put them.
    EXPECT_EQ(buttons.Button(BtnLogin).Left, 13);
}

TEST_F(FaceButtonsTest, FaceAndTabRectanglesComeFromTheirCaptions)
{
    // "登录" is 24 pixels: the 50-pixel minimum holds.
    EXPECT_EQ(buttons.Button(BtnLogin).Caption, QStringLiteral("登录"));
    EXPECT_EQ(buttons.Button(BtnLogin).Right, 63);
    // Button 5 is measured on "操作员管理" (60 + 5) and starts right after button 4.
    EXPECT_EQ(buttons.Button(BtnOperators).Left, buttons.Button(BtnLogin).Right + 1);
    EXPECT_EQ(buttons.Button(BtnOperators).Right, 63 + 65);
    for (int n = BtnOperators + 1; n <= BtnAbout; ++n) {
        const TFuncButton& b = buttons.Button(n);
        const int prevRight = buttons.Button(n - 1).Right;
        EXPECT_EQ(b.Left, prevRight + 1) << n;
        EXPECT_EQ(b.Right, prevRight + std::max(FakeWidth(b.Caption) + 5, 50)) << n;
        EXPECT_EQ(b.Top, 35);
        EXPECT_EQ(b.Bottom, 75);
    }
    EXPECT_EQ(buttons.Button(BtnAbout).Caption, QStringLiteral("关于"));

    // Tabs: "示意图方式查看" 84, "列表方式查看" 72, "未处理记录" 60.
    EXPECT_EQ(buttons.Button(BtnLayoutTab).Left, 18);
    EXPECT_EQ(buttons.Button(BtnLayoutTab).Right, 84 + 23);
    EXPECT_EQ(buttons.Button(BtnCallRecordTab).Left, 108);
    EXPECT_EQ(buttons.Button(BtnCallRecordTab).Right, 107 + 72 + 10);
    EXPECT_EQ(buttons.Button(BtnUnprocTab).Left, 190);
    EXPECT_EQ(buttons.Button(BtnUnprocTab).Right, 189 + 60 + 10);
    EXPECT_EQ(buttons.Button(BtnUnprocTab).Top, 80);
    EXPECT_EQ(buttons.Button(BtnUnprocTab).Bottom, 105);
}

TEST_F(FaceButtonsTest, StartsWithOnlyLoginSystemAndTabButtonsEnabled)
{
    EXPECT_EQ(EnabledFaceButtons(), std::set<int>{BtnLogin});
    for (int n : {1, 2, 3, 16, 17, 18})
        EXPECT_TRUE(buttons.Button(n).Enabled) << n;
    EXPECT_TRUE(buttons.Button(BtnLayoutTab).Down);
    EXPECT_FALSE(buttons.Button(BtnCallRecordTab).Down);
    EXPECT_EQ(buttons.DrawState(BtnLayoutTab), DrawHighlighted);
    EXPECT_EQ(buttons.DrawState(BtnOperators), DrawDisabled);
    EXPECT_EQ(buttons.DrawState(BtnLogin), DrawNormal);
}

TEST_F(FaceButtonsTest, HitTestingIncludesEveryEdge)
{
    // The shared edge of buttons 1 and 2 belongs to the first.
    EXPECT_EQ(buttons.JudgeMousePosition({ClientWidth - 58, 8}), BtnMinimise);
    EXPECT_EQ(buttons.JudgeMousePosition({ClientWidth - 57, 8}), BtnMaximise);
    EXPECT_EQ(buttons.JudgeMousePosition({ClientWidth - 8, 26}), BtnClose);
    EXPECT_EQ(buttons.JudgeMousePosition({ClientWidth - 7, 26}), 0);
    EXPECT_EQ(buttons.JudgeMousePosition({13, 35}), BtnLogin);
    EXPECT_EQ(buttons.JudgeMousePosition({63, 75}), BtnLogin);
    EXPECT_EQ(buttons.JudgeMousePosition({63, 76}), 0);
    EXPECT_EQ(buttons.JudgeMousePosition({12, 50}), 0);
    EXPECT_EQ(buttons.JudgeMousePosition({18, 105}), BtnLayoutTab);
    EXPECT_EQ(buttons.JudgeMousePosition({400, 300}), 0);
}

TEST_F(FaceButtonsTest, LoginWithoutPermissionsGivesChangePasswordAndAbout)
{
    buttons.LoginProcess(0);
    EXPECT_EQ(EnabledFaceButtons(), (std::set<int>{BtnLogin, BtnOperators, BtnAbout}));
    EXPECT_EQ(buttons.Button(BtnLogin).Caption, QStringLiteral("注销"));
    EXPECT_EQ(buttons.Button(BtnOperators).Caption, QStringLiteral("修改密码"));
}

TEST_F(FaceButtonsTest, EachPermissionBitEnablesItsButton)
{
    const std::pair<int, int> gates[] = {{1, 6}, {2, 7}, {3, 8}, {4, 12}, {5, 13},
                                         {6, 14}, {7, 9}, {8, 10}, {9, 11}};
    for (const auto& [bit, button] : gates) {
        TFaceButtons b;
        b.InitMainFaceButton(ClientWidth, FakeWidth);
        b.LoginProcess(1 << bit);
        for (int n = BtnBaseSet; n < BtnAbout; ++n)
            EXPECT_EQ(b.Button(n).Enabled, n == button) << "bit " << bit << " button " << n;
    }

    buttons.LoginProcess(0x80);
    EXPECT_EQ(EnabledFaceButtons(), (std::set<int>{BtnLogin, BtnOperators, 9, BtnAbout}));
}

TEST_F(FaceButtonsTest, FullPermissionsEnableEverythingAndHigherBitsNothing)
{
    TFaceButtons high;
    high.InitMainFaceButton(ClientWidth, FakeWidth);
    high.LoginProcess(~PopedomAll);
    for (int n = BtnBaseSet; n < BtnAbout; ++n)
        EXPECT_FALSE(high.Button(n).Enabled) << n;

    buttons.LoginProcess(1023);
    EXPECT_EQ(EnabledFaceButtons().size(), 12u);
    EXPECT_EQ(buttons.Button(BtnOperators).Caption, QStringLiteral("操作员管理"));
}

TEST_F(FaceButtonsTest, LogoffDisablesFaceButtonsButLeavesTabs)
{
    buttons.LoginProcess(1);
    Click(BtnUnprocTab);
    buttons.LogoffProcess();

    EXPECT_EQ(EnabledFaceButtons(), std::set<int>{BtnLogin});
    EXPECT_EQ(buttons.Button(BtnLogin).Caption, QStringLiteral("登录"));
    EXPECT_EQ(buttons.Button(BtnOperators).Caption, QStringLiteral("操作员管理"));
    for (int n = BtnOperators; n <= BtnAbout; ++n)
        EXPECT_EQ(buttons.DrawState(n), DrawDisabled) << n;
    EXPECT_TRUE(buttons.Button(BtnUnprocTab).Down);
    EXPECT_TRUE(buttons.Button(BtnUnprocTab).Enabled);
    EXPECT_FALSE(buttons.Button(BtnLayoutTab).Down);
}

TEST_F(FaceButtonsTest, ReleaseOverAnotherButtonDoesNothing)
{
    buttons.LoginProcess(PopedomAll);
    buttons.MouseDown(Centre(BtnBaseSet));
    EXPECT_EQ(buttons.Pressed(), BtnBaseSet);
    EXPECT_EQ(buttons.MouseUp(Centre(BtnLayout)), 0);
    EXPECT_EQ(buttons.Pressed(), 0);

    // The next hover highlights again.
    buttons.MouseMove(Centre(BtnLayout));
    EXPECT_EQ(buttons.Hot(), BtnLayout);
    EXPECT_EQ(buttons.DrawState(BtnLayout), DrawHighlighted);

    EXPECT_EQ(Click(BtnLayout), BtnLayout);
}

TEST_F(FaceButtonsTest, OnlyEnabledButtonsOneToFifteenAct)
{
    EXPECT_EQ(Click(BtnBaseSet), 0);  // disabled before login
    EXPECT_EQ(Click(BtnLogin), BtnLogin);
    EXPECT_EQ(Click(BtnClose), BtnClose);
    EXPECT_EQ(Click(BtnCallRecordTab), 0);  // a tab acts on press, not on release
    buttons.MouseDown({400, 300});
    EXPECT_EQ(buttons.MouseUp({400, 300}), 0);
}

TEST_F(FaceButtonsTest, TabsBehaveAsRadioButtons)
{
    EXPECT_EQ(buttons.MouseDown(Centre(BtnCallRecordTab)), BtnCallRecordTab);
    buttons.MouseUp(Centre(BtnCallRecordTab));
    EXPECT_TRUE(buttons.Button(BtnCallRecordTab).Down);
    EXPECT_FALSE(buttons.Button(BtnLayoutTab).Down);
    EXPECT_EQ(buttons.DrawState(BtnLayoutTab), DrawNormal);

    // A tab that is already down stays down and is reported again, so its view shows again.
    EXPECT_EQ(buttons.MouseDown(Centre(BtnCallRecordTab)), BtnCallRecordTab);
    EXPECT_TRUE(buttons.Button(BtnCallRecordTab).Down);
    EXPECT_FALSE(buttons.Button(BtnUnprocTab).Down);

    // Face buttons are not grouped: pressing one selects no tab.
    EXPECT_EQ(buttons.MouseDown(Centre(BtnLogin)), 0);
    EXPECT_FALSE(buttons.Button(BtnLogin).Down);
    EXPECT_TRUE(buttons.Button(BtnCallRecordTab).Down);
}

TEST_F(FaceButtonsTest, HotButtonFollowsThePointerUnlessOneIsPressed)
{
    buttons.LoginProcess(0);
    buttons.MouseMove(Centre(BtnLogin));
    EXPECT_EQ(buttons.Hot(), BtnLogin);

    // A disabled button is never hot.
    buttons.MouseMove(Centre(BtnBaseSet));
    EXPECT_EQ(buttons.Hot(), 0);

    buttons.MouseMove(Centre(BtnOperators));
    EXPECT_EQ(buttons.Hot(), BtnOperators);

    // Pressing shows the pressed look and pauses hot tracking over buttons.
    buttons.MouseDown(Centre(BtnOperators));
    EXPECT_EQ(buttons.Hot(), 0);
    EXPECT_EQ(buttons.DrawState(BtnOperators), DrawNormal);
    buttons.MouseMove(Centre(BtnLogin));
    EXPECT_EQ(buttons.Hot(), 0);
    buttons.MouseUp(Centre(BtnLogin));

    buttons.MouseMove(Centre(BtnLogin));
    EXPECT_EQ(buttons.Hot(), BtnLogin);
    buttons.MouseMove({400, 300});
    EXPECT_EQ(buttons.Hot(), 0);
    buttons.MouseMove(Centre(BtnClose));
    buttons.MouseLeave();
    EXPECT_EQ(buttons.Hot(), 0);
}

}  // namespace
