#pragma once
// Texts of the calls and their windows.
enum TCallsText : int {
    TxtCallsNewCall = 233,         // %s date, %s time, %s area, %s position, %s service type
    TxtCallsPopupCaption = 1800,
    TxtCallsWaiting = 3401,        // %1 why, %2 number of calls waiting
    TxtCallsJournalFailed = 3402,  // %1 why
    TxtCallsAllWritten = 3403,
};
