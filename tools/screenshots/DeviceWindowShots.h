#pragma once
// The device tool windows with sample content, saved as PNG files into out;
// clickButton(n) clicks the main window's face button n, which must open
// the device windows 9, 10 and 11 over it.
#include <QString>
#include <functional>

// configPath: the station's Config.ini, which the LED list is written to first.
bool SaveDeviceWindowShots(const QString& out, const QString& configPath, const std::function<void(int)>& clickButton);
