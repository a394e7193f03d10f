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
    TxtMainLinkCounts = 3430,
    TxtMainReceived = 3431,
    TxtMainSkipped = 3432,
    TxtMainFrames = 3433,
    TxtMainDropped = 3434,
    TxtMainAcks = 3435,
    TxtMainAckFailed = 3436,
};
