#include "app/CleanupCommand.h"

#include "app/CommandReport.h"
#include "core/DataStore.h"
#include "core/Paths.h"
#include "core/ResStrings.h"
#include "maintenance/Cleanup.h"
#include "maintenance/FailureText.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>

int RunCleanupCommand(const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption through(QStringLiteral("through"),
                                     QStringLiteral("The last day whose calls are deleted."),
                                     QStringLiteral("yyyy-MM-dd"));
    parser.addOption(through);
    if (!ParseCommandArguments(parser, QStringLiteral("cleanup"), args))
        return ExitBadArguments;
    const QDate day = QDate::fromString(parser.value(through), QStringLiteral("yyyy-MM-dd"));
    if (!parser.positionalArguments().isEmpty() || !day.isValid())
        return ReportBadArguments(QStringLiteral("cleanup --through yyyy-MM-dd"));

    // Opening the store would create an empty log in a mistyped data directory.
    const QString log = DataDir + QStringLiteral("/CallInfo.db");
    if (!QFile::exists(log))
        return ReportFailed(FailureText(3211, LoadResStr(3200).arg(QDir::toNativeSeparators(log),
                                                                  QStringLiteral("No such file"))));
    TDM_Sys store;
    QString why;
    if (!store.Open(DataDir, &why) || !DeleteCallsThrough(store, day, &why))
        return ReportFailed(FailureText(3211, why));
    return ReportDone(LoadResStr(1618));
}
