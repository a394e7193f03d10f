#pragma once
// The 18 buttons of the main window (system buttons, face buttons, view tabs)
// with their rectangles, enabled and down flags, and the hot and pressed
// tracking of the mouse. No painting: the window draws each button in the
// state DrawState gives.
#include "station/FaceActions.h"

#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

struct TFuncButton {
    QString Caption;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    bool Enabled = false;
    bool Down = false;
    uint8_t Group = 0;  // 0 = not grouped
    uint8_t Kind = 0;   // 0 system, 1 face, 2 tab
};

enum TButtonKind : uint8_t { SysButtonKind = 0, FaceButtonKind = 1, TabButtonKind = 2 };
// Draw states of a button.
enum TDrawState : int { DrawNormal = 0, DrawDisabled = 1, DrawHighlighted = 2 };


class TFaceButtons {
public:
    using TextWidth = std::function<int(const QString&)>;

    // Captions from the string table, rectangles from the captions' widths,
    // start flags: system, login and tab buttons enabled, the layout tab down.
    void InitMainFaceButton(int clientWidth, const TextWidth& textWidth);
    // The system buttons follow the right edge of the client area.
    void PlaceSysButtons(int clientWidth);

    const TFuncButton& Button(int n) const { return buttons_.at(n - 1); }
    // The first button, 1 to 18, whose rectangle (all edges included) holds p; 0 for none.
    int JudgeMousePosition(const QPoint& p) const;
    // Disabled, else highlighted when down or hot, else normal.
    int DrawState(int n) const;

    int Hot() const { return hot_; }
    int Pressed() const { return pressed_; }

    // The operator logged in with these permission bits.
    void LoginProcess(int32_t popedom);
    void LogoffProcess();

    // The pointer moved over the client area: the button under it becomes hot.
    void MouseMove(const QPoint& p);
    // The pointer left the window: no button is hot.
    void MouseLeave() { hot_ = 0; }
    // Left button down; returns the tab button that became the selected one, or 0.
    int MouseDown(const QPoint& p);
    // Left button up; returns the button (1 to 15) whose action is to run, or 0.
    int MouseUp(const QPoint& p);

private:
    TFuncButton& At(int n) { return buttons_.at(n - 1); }

    std::array<TFuncButton, FuncButtonCount> buttons_{};
    int hot_ = 0;
    int pressed_ = 0;
};
