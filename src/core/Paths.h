#pragma once
// Process-wide locations and date formats, chosen once at start-up.
#include <QString>

extern QString DataDir;            // data directory, no trailing separator
extern QString ConfigPath;         // DataDir + "/Config.ini"
extern QString DisplayDateFormat;  // call dates and the clock
extern QString PickerDateFormat;   // date pickers of the history and statistics dialogs

// Sets DataDir and ConfigPath. An empty dir means "Data" beside the executable.
void InitDataDir(const QString& dir = QString());

// True when the system locale is simplified Chinese (the station's home code page),
// unless the environment variable CALLSTATION_CHINESE_LOCALE says 0 or 1.
bool SystemUsesChineseCodePage();

// Sets both date formats: ISO order on a simplified Chinese system, day first otherwise.
void InitDateFormats(bool chineseCodePage);
