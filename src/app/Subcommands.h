#pragma once
// callstation [--data-dir DIR] NAME ARGS...: the back-office commands. They run
// without starting the station, through the same code as the windows.
#include <QStringList>

struct TEnvironment;

enum TExitCode : int { ExitDone = 0, ExitFailed = 1, ExitBadArguments = 2 };

struct TSubcommand {
    const char* Name;
    // env: the data directory's, made for this run; args: what follows the name. An application
    // object exists.
    int (*Run)(const TEnvironment& env, const QStringList& args);
    const char* Usage;  // the name and its arguments, for the help texts
    // Whether these args draw (a print-out): then the command runs under a GUI application,
    // offscreen without a display. nullptr: the command never draws.
    bool (*Draws)(const QStringList& args) = nullptr;
};

// The command of that name; nullptr when there is none.
const TSubcommand* FindSubcommand(const QString& name);
// Every command's usage, one a line, for the station's own help.
QString SubcommandUsages();
// "history, report, ..." for the complaint about an unknown command.
QString SubcommandNames();

// Runs the command; what it wrote to standard output must have got there: when it did
// not (a full disk, a closed pipe), the command fails, naming standard output.
int ExecuteSubcommand(const TSubcommand& command, const TEnvironment& env, const QStringList& args);
