#pragma once
// What the history and report commands share: strict date values and where the
// table goes (standard output or --out).
#include <QDate>
#include <QString>
#include <memory>
#include <optional>

class ITableSink;
class TCommandLine;
class QFile;

// A one-line error of the command line (exit status 2).
struct TArgumentError {
    QString Text;
};

// The value of a yyyy-MM-dd option; fallback when it is not given; an error when it is no date.
std::optional<QDate> DateOption(const TCommandLine& line, const QString& name, const QDate& fallback,
                                TArgumentError& error);

// The sink for the table: CSV on standard output without --out, else the file by its
// suffix (.xlsx or .csv), showing dates in dateFormat. stdoutFile is opened on standard output
// when needed and must outlive the sink. nullptr with error for another suffix.
std::unique_ptr<ITableSink> OutputSink(const QString& out, const QString& dateFormat, QFile& stdoutFile,
                                       TArgumentError& error);

// How the target of the table is named in a message: the file, or standard output.
QString OutputName(const QString& out);
