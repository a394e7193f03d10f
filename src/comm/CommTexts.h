#pragma once
// Texts of the serial line: the port's state and why it cannot be used.
enum TCommText : int {
    TxtCommOpenFailed = 222,   // %d port number
    TxtCommOpened = 223,       // %d port number, %d baud, %d data bits, %d stop bits
    TxtCommUnplaced = 224,     // %x the button's address
    TxtCommPortBusy = 3302,    // %1 device, %2 why
    TxtCommNotInGroup = 3305,  // %1 device, %2 the device's group
    TxtCommNotAllowed = 3306,  // %1 device, %2 why
    TxtCommLinkLost = 3400,    // %d port number
};
