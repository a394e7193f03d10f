#pragma once
// Texts of the calls and their windows.
enum TCallsText : int {
    TxtCallsNewCall = 233,        // %s date, %s time, %s area, %s position, %s service type
    TxtCallsPopupCaption = 1800,
};
