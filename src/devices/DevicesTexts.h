#pragma once
// Texts of the devices: the LED boards, the memory copy, the binding.
enum TDevicesText : int {
    TxtDevicesDisplayMode = 1902,
    TxtDevicesMoveInterval = 1903,
    TxtDevicesStopTime = 1904,
    TxtDevicesColor = 1905,
    TxtDevicesDataMode = 1906,
    TxtDevicesLedText = 1907,
    TxtDevicesAllFilesFilter = 1915,
    TxtDevicesDeleteQuestion = 1916,
    TxtDevicesClearQuestion = 1917,
    TxtDevicesLedTimeOut = 1918,
    TxtDevicesUpdatingMessage = 1919,  // %s number, %s text
    TxtDevicesEndingUpdate = 1920,
    TxtDevicesEmptyText = 1924,
    TxtDevicesAddress = 1925,
    TxtDevicesMemorySize = 2001,       // %d bytes
    TxtDevicesSystemParams = 2020,
    TxtDevicesMemoryMap = 2021,
    TxtDevicesMemoryTimeOut = 2022,
    TxtDevicesReadingSize = 2023,
    TxtDevicesReadingBlock = 2024,     // %08X address
    TxtDevicesWritingBlock = 2025,     // %08X address
    TxtDevicesImportDone = 2028,
    TxtDevicesExportFailed = 2029,
    TxtDevicesExportDone = 2030,
    TxtDevicesBindPage = 2100,
    TxtDevicesButtonAddress = 2101,
    TxtDevicesInternalCode = 2102,
    TxtDevicesTone = 2103,
    TxtDevicesPagerGroup = 2104,
    TxtDevicesPagerAddress = 2105,
    TxtDevicesAlarm = 2106,
    TxtDevicesBindText = 2107,
    TxtDevicesBindDevice = 2108,
    TxtDevicesSet = 2109,
    TxtDevicesSetDone = 2110,
    TxtDevicesKeyPage = 2111,
    TxtDevicesKey = 2112,
    TxtDevicesKeyText = 2113,
    TxtDevicesLedSaveFailed = 3300,    // %1 why
    TxtDevicesLedAdjusted = 3301,      // %1 number of messages
    TxtDevicesMemoryTooLarge = 3303,   // %1 reported size
};
