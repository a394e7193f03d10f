#pragma once
// What the station runs with, made once at start-up (main(), a back-office command, a
// test): where its data is, its settings and state texts, and the date formats of the
// system it runs on. The window thread keeps the one copy that the settings dialog
// changes; a worker is handed its own copy, so a change reaches it as a new value and
// never under its feet.
#include "core/Config.h"
#include "core/DateFormats.h"

#include <QString>

struct TEnvironment {
    QString DataDir;     // absolute, no trailing separator
    QString ConfigPath;  // DataDir + "/Config.ini"
    TConfig Config;
    TStateTexts StateTexts;
    TDateFormats Formats;
};

// The environment of the data directory dir ("Data" beside the executable when empty),
// with the settings of its Config.ini (defaults when it or a key is missing) and the
// date formats of the system's code page.
TEnvironment MakeEnvironment(const QString& dir, bool chineseCodePage);

// True when the system locale is simplified Chinese (the station's home code page),
// unless the environment variable CALLSTATION_CHINESE_LOCALE says 0 or 1.
bool SystemUsesChineseCodePage();
