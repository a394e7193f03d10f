#pragma once
// What a click on one of the main window's buttons does, decided without any
// window: by the button, the login and its permission bits, and whether the
// station hides to the tray.
#include <cstdint>

// The main window's buttons by number.
enum TButtonNo : int {
    BtnMinimise = 1,
    BtnMaximise = 2,
    BtnClose = 3,
    BtnLogin = 4,
    BtnOperators = 5,
    BtnBaseSet = 6,
    BtnLayout = 7,
    BtnStaff = 8,
    BtnLedSet = 9,
    BtnCopyData = 10,
    BtnBindSet = 11,
    BtnHistory = 12,
    BtnStatistics = 13,
    BtnMaintenance = 14,
    BtnAbout = 15,
    BtnLayoutTab = 16,
    BtnCallRecordTab = 17,
    BtnUnprocTab = 18,
    FuncButtonCount = 18
};

enum class TFaceAction {
    None,
    Minimise,
    ToggleMaximise,
    HideToTray,
    AskExit,          // the exit question; Yes closes the station
    Login,
    Logoff,
    OperatorManage,
    ChangePassword,
    BaseSet,          // then the topmost state is applied again
    LayoutEditor,     // on OK the layouts are reloaded
    StaffEditor,      // on OK the roster queries are reopened
    LedSet,
    CopyData,
    BindSet,
    History,
    Statistics,
    MaintenanceMenu,
    About,
};

struct TFaceState {
    bool LoggedIn = false;
    int32_t Popedom = 0;
    bool HidesToTray = false;  // the tray icon is set and the desktop has a tray
};

// The action of a click on button n (1 to 15); None for any other number.
TFaceAction FaceButtonAction(int n, const TFaceState& state);
