#include "app/CommandReport.h"

#include <QCommandLineParser>
#include <QTextStream>

int ReportDone(const QString& text)
{
    QTextStream(stdout) << text << Qt::endl;
    return ExitDone;
}

int ReportFailed(const QString& text)
{
    QTextStream(stderr) << text << Qt::endl;
    return ExitFailed;
}

int ReportBadArguments(const QString& text)
{
    QTextStream(stderr) << "callstation: " << text << Qt::endl;
    return ExitBadArguments;
}

bool ParseCommandArguments(QCommandLineParser& parser, const QString& command, const QStringList& args)
{
    if (parser.parse(QStringList{command} + args))
        return true;
    ReportBadArguments(command + QStringLiteral(": ") + parser.errorText());
    return false;
}
