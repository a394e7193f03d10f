#pragma once
// The command line every back-office command shares: its own options plus --help
// and --verbose, long options with one dash or two, the data directory check, and
// the texts a command ends with.
#include "app/Subcommands.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>

// One option: its name, help text and the name of its value (nullptr: a switch).
struct TOptionSpec {
    const char* Name;
    const char* About;
    const char* ValueName = nullptr;
};

class TCommandLine {
public:
    // command: the name in the Subcommands table, whose usage heads the help.
    TCommandLine(const char* command, std::span<const TOptionSpec> options);
    TCommandLine(const TCommandLine&) = delete;
    TCommandLine& operator=(const TCommandLine&) = delete;

    // Parses args (what follows the command's name). Ends the command with the status returned:
    // ExitDone after printing the help for --help, ExitBadArguments after a one-line complaint
    // (options not understood, no directory dataDir). Nothing: go on. From here on Qt's own
    // messages reach standard error only with --verbose.
    std::optional<int> Parse(const QStringList& args, const QString& dataDir);
    // Whether args parse, saying nothing (to look at them before the command runs).
    bool ParseQuietly(const QStringList& args);

    bool IsSet(const QString& option) const { return parser_.isSet(option); }
    QString Value(const QString& option) const { return parser_.value(option); }
    QStringList Values(const QString& option) const { return parser_.values(option); }   // each time given
    QStringList Positional() const { return parser_.positionalArguments(); }
    // The options given, by their names.
    QStringList OptionsGiven() const;
    // Complains with the command's usage; ExitBadArguments.
    int ReportUsage() const;

private:
    QString command_;
    QString usage_;
    QCommandLineParser parser_;
};

// One line on standard output (completion texts, progress).
void PrintLine(const QString& text);
// Whether everything written to standard output got there; why not when it did not.
bool StandardOutputWritten(QString* why);
// One line of the window's texts on standard error.
void PrintError(const QString& text);

int ReportDone(const QString& text);          // PrintLine; ExitDone
int ReportFailed(const QString& text);        // PrintError; ExitFailed
int ReportBadArguments(const QString& text);  // "callstation: text" on standard error; ExitBadArguments
