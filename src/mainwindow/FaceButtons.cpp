#include "mainwindow/FaceButtons.h"

#include "core/ResStrings.h"
#include "mainwindow/MainWindowTexts.h"
#include "operators/LoginMsg.h"
#include "operators/OperatorsTexts.h"

#include <algorithm>

namespace {

constexpr int FirstFaceButton = BtnLogin;
constexpr int LastFaceButton = BtnAbout;

constexpr int FaceTop = 35;
constexpr int FaceBottom = 75;
constexpr int TabTop = 80;
constexpr int TabBottom = 105;

// Captions of buttons 4 to 18 at creation, by string number. The rectangles
// are measured on these, so buttons 4 and 5 keep room for either caption.
constexpr int kCaptionIds[] = {TxtMainLogin, TxtPopedomOperators, TxtPopedomBaseSettings, TxtPopedomLayout,
                               TxtPopedomStaff, TxtPopedomLed, TxtPopedomCopyData, TxtPopedomBind, TxtPopedomHistory,
                               TxtPopedomStatistics, TxtPopedomMaintenance, TxtMainAbout, TxtMainPlanView,
                               TxtMainListView, TxtMainOpenCalls};

struct TGate {
    int button;
    TPopedomBit bit;
};
// The face buttons a permission bit enables; bit 0 only picks button 5's role.
constexpr TGate kGates[] = {
    {6, PopBaseSet}, {7, PopLayout},   {8, PopStaff},       {9, PopLed},          {10, PopCopyData},
    {11, PopBind},   {12, PopHistory}, {13, PopStatistics}, {14, PopMaintenance},
};

}  // namespace

void TFaceButtons::InitMainFaceButton(int clientWidth, const TextWidth& textWidth)
{
    buttons_ = {};
    hot_ = 0;
    pressed_ = 0;

    for (int n = BtnMinimise; n <= BtnClose; ++n) {
        At(n).Kind = SysButtonKind;
        At(n).Enabled = true;
    }
    PlaceSysButtons(clientWidth);

    for (int n = FirstFaceButton; n <= BtnUnprocTab; ++n)
        At(n).Caption = LoadResStr(kCaptionIds[n - FirstFaceButton]);

    for (int n = FirstFaceButton; n <= LastFaceButton; ++n) {
        TFuncButton& b = At(n);
        const int w = textWidth(b.Caption);
        b.Kind = FaceButtonKind;
        b.Top = FaceTop;
        b.Bottom = FaceBottom;
        if (n == FirstFaceButton) {
            b.Left = 13;
            b.Right = 13 + std::max(w, 50);
        } else {
            const int prevRight = Button(n - 1).Right;
            b.Left = prevRight + 1;
            b.Right = prevRight + std::max(w + 5, 50);
        }
    }
    At(BtnLogin).Enabled = true;

    for (int n = BtnLayoutTab; n <= BtnUnprocTab; ++n) {
        TFuncButton& b = At(n);
        const int w = textWidth(b.Caption);
        b.Kind = TabButtonKind;
        b.Group = 1;
        b.Enabled = true;
        b.Top = TabTop;
        b.Bottom = TabBottom;
        if (n == BtnLayoutTab) {
            b.Left = 18;
            b.Right = w + 23;
        } else {
            const int prevRight = Button(n - 1).Right;
            b.Left = prevRight + 1;
            b.Right = prevRight + w + 10;
        }
    }
    At(BtnLayoutTab).Down = true;
}

void TFaceButtons::PlaceSysButtons(int clientWidth)
{
    // 25 pixels apart from the right: minimise, maximise, close.
    for (int n = BtnMinimise; n <= BtnClose; ++n) {
        TFuncButton& b = At(n);
        b.Left = clientWidth - 83 + (n - BtnMinimise) * 25;
        b.Right = b.Left + 25;
        b.Top = 8;
        b.Bottom = 26;
    }
}

int TFaceButtons::JudgeMousePosition(const QPoint& p) const
{
    for (int n = 1; n <= FuncButtonCount; ++n) {
        const TFuncButton& b = Button(n);
        if (p.x() >= b.Left && p.x() <= b.Right && p.y() >= b.Top && p.y() <= b.Bottom)
            return n;
    }
    return 0;
}

int TFaceButtons::DrawState(int n) const
{
    const TFuncButton& b = Button(n);
    if (!b.Enabled)
        return DrawDisabled;
    return b.Down || n == hot_ ? DrawHighlighted : DrawNormal;
}

void TFaceButtons::LoginProcess(int32_t popedom)
{
    At(BtnLogin).Caption = LoadResStr(TxtMainLogout);
    TFuncButton& operators = At(BtnOperators);
    operators.Enabled = true;
    operators.Caption = LoadResStr(HasPopedom(popedom, PopOperators) ? TxtPopedomOperators : TxtOperatorsChangePassword);
    for (const TGate& gate : kGates) {
        if (HasPopedom(popedom, gate.bit))
            At(gate.button).Enabled = true;
    }
    At(BtnAbout).Enabled = true;
}

void TFaceButtons::LogoffProcess()
{
    At(BtnLogin).Caption = LoadResStr(TxtMainLogin);
    At(BtnOperators).Caption = LoadResStr(TxtPopedomOperators);
    for (int n = BtnOperators; n <= LastFaceButton; ++n)
        At(n).Enabled = false;
}

void TFaceButtons::MouseMove(const QPoint& p)
{
    const int n = JudgeMousePosition(p);
    if (n == 0) {
        hot_ = 0;
        return;
    }
    // While a button is held down the highlight does not follow the pointer.
    if (pressed_ != 0 || n == hot_)
        return;
    hot_ = Button(n).Enabled ? n : 0;
}

int TFaceButtons::MouseDown(const QPoint& p)
{
    pressed_ = JudgeMousePosition(p);
    if (pressed_ == 0 || !Button(pressed_).Enabled)
        return 0;
    hot_ = 0;
    TFuncButton& pressed = At(pressed_);
    if (pressed.Group == 0)
        return 0;
    for (int n = 1; n <= FuncButtonCount; ++n) {
        TFuncButton& other = At(n);
        if (n != pressed_ && other.Kind == pressed.Kind && other.Group == pressed.Group && other.Enabled)
            other.Down = false;
    }
    pressed.Down = true;
    return pressed_;
}

int TFaceButtons::MouseUp(const QPoint& p)
{
    const int n = JudgeMousePosition(p);
    const bool act = n != 0 && n == pressed_ && Button(n).Enabled && n <= LastFaceButton;
    pressed_ = 0;
    return act ? n : 0;
}
