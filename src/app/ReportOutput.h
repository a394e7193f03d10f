#pragma once
// What the history and report commands share: their conditions as given and where the
// table goes (standard output or --out).
#include "reports/ConditionTexts.h"

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

// The options given but --out, as conditions that messages name "--name".
TConditionTexts CommandConditions(const TCommandLine& line);

// The sink for the table: CSV on standard output without --out, else the file by its
// suffix (.xlsx or .csv), showing dates in dateFormat. stdoutFile is opened on standard output
// when needed and must outlive the sink. nullptr with error for another suffix.
std::unique_ptr<ITableSink> OutputSink(const QString& out, const QString& dateFormat, QFile& stdoutFile,
                                       TArgumentError& error);

// How the target of the table is named in a message: the file, or standard output.
QString OutputName(const QString& out);
