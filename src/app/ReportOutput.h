#pragma once
// What the history and report commands share: strict option values, the data
// directory check, and where the table goes (standard output or --out).
#include <QDate>
#include <QString>
#include <initializer_list>
#include <memory>
#include <optional>

class ITableSink;
class QCommandLineParser;
class QFile;

// A one-line error of the command line (exit status 2).
struct TArgumentError {
    QString Text;
};

// Writes "callstation: text" on standard error.
void SayError(const QString& text);

// Options that take a value: name, help text, value name.
struct TValueOption {
    const char* Name;
    const char* About;
    const char* ValueName;
};
void AddValueOptions(QCommandLineParser& parser, std::initializer_list<TValueOption> options);

// Parses args after the command name; unknown options and unexpected arguments are errors.
std::optional<TArgumentError> ParseArguments(QCommandLineParser& parser, const QString& command, const QStringList& args);

// The value of a yyyy-MM-dd option; fallback when it is not given; an error when it is no date.
std::optional<QDate> DateOption(const QCommandLineParser& parser, const QString& name, const QDate& fallback,
                                TArgumentError& error);

// An error when the data directory is missing (nothing may be created there).
std::optional<TArgumentError> CheckDataDir();

// The sink for the table: CSV on standard output without --out, else the file by its
// suffix (.xlsx or .csv). stdoutFile is opened on standard output when needed and must
// outlive the sink. nullptr with error for another suffix.
std::unique_ptr<ITableSink> OutputSink(const QString& out, QFile& stdoutFile, TArgumentError& error);
