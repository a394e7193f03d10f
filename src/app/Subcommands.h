#pragma once
// callstation [--data-dir DIR] NAME ARGS...: the back-office commands. They run
// without starting the station, through the same code as the windows.
#include <QStringList>

enum TExitCode : int { ExitDone = 0, ExitFailed = 1, ExitBadArguments = 2 };

struct TSubcommand {
    const char* Name;
    // args: what follows the name. DataDir and ConfigPath are set, an application object exists.
    int (*Run)(const QStringList& args);
    bool NeedsGui;  // draws (print-out): runs under a GUI application, offscreen without a display
};

// The command of that name; nullptr when there is none.
const TSubcommand* FindSubcommand(const QString& name);
// "history, report, ..." for the usage text.
QString SubcommandNames();
