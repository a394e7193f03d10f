#pragma once
// The popup call window: five slots showing the newest calls with their timers.
#include <QDialog>

class TPopupSlots;

class TFrm_PopupWin final : public QDialog {
    Q_OBJECT
public:
    TFrm_PopupWin(const TPopupSlots& model, QWidget* parent = nullptr);
    ~TFrm_PopupWin() override;
    // Shows the slots' current texts and colours.
    void RefreshSlots();
    // Shows the window in front of the others (the main window included) and makes it the
    // active one, unless a modal dialog is being worked in: then it stays behind that dialog.
    void ShowInFront();

private:
    struct Impl;
    Impl* d_;
};
