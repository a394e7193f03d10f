#pragma once
// Texts of the program and its subcommands.
enum TAppText : int {
    TxtAppAlreadyRunning = 3004,  // %1 data folder
    TxtAppCallsDeleted = 3020,    // %1 number of calls
    TxtAppMemoryWritten = 3021,   // %1 device, %2 bytes
    TxtAppStandardOutput = 3022,
    TxtAppStationRunning = 3206,  // %1 who holds the data folder
};
