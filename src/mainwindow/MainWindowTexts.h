#pragma once
// Texts of the main window and its tray icon.
enum TMainWindowText : int {
    TxtMainLogin = 201,
    TxtMainLogout = 202,
    TxtMainPlanView = 209,
    TxtMainListView = 210,
    TxtMainOpenCalls = 211,
    TxtMainShow = 230,
    TxtMainAbout = 231,
    TxtMainExit = 232,
    TxtMainExitQuestion = 235,
    TxtMainAboutText = 3002,
    TxtMainCallsRecovered = 3404,  // %1 number of calls
};
