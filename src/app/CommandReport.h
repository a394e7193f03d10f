#pragma once
// How a back-office command ends: the window's completion text on standard output,
// its failure text on standard error, or a one-line complaint about the arguments.
#include "app/Subcommands.h"

#include <QString>
#include <QStringList>

class QCommandLineParser;

int ReportDone(const QString& text);          // ExitDone
int ReportFailed(const QString& text);        // ExitFailed
int ReportBadArguments(const QString& text);  // ExitBadArguments

// Parses the arguments of command; false (after the complaint) when they do not parse.
bool ParseCommandArguments(QCommandLineParser& parser, const QString& command, const QStringList& args);
