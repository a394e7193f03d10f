#include "app/CleanupCommand.h"

#include "app/CommandLine.h"
#include "core/DataStore.h"
#include "core/DateFormats.h"
#include "core/Environment.h"
#include "core/ResStrings.h"
#include "maintenance/Cleanup.h"
#include "maintenance/FailureText.h"

#include <QDir>
#include <QFile>

namespace {

const TOptionSpec Options[] = {
    {"through", "The last day whose calls are deleted.", IsoDateFormat.data()},
};

}  // namespace

int RunCleanupCommand(const TEnvironment& env, const QStringList& args)
{
    TCommandLine line("cleanup", Options);
    if (const auto end = line.Parse(args, env.DataDir))
        return *end;
    const QDate day = QDate::fromString(line.Value(QStringLiteral("through")), IsoDateFormat);
    if (!line.Positional().isEmpty() || !day.isValid())
        return line.ReportUsage();

    // Opening the store would create an empty log where there is none.
    const QString log = env.DataDir + QStringLiteral("/CallInfo.db");
    if (!QFile::exists(log))
        return ReportFailed(FailureText(3211, LoadResStr(3200).arg(QDir::toNativeSeparators(log),
                                                                  QStringLiteral("No such file"))));
    TDM_Sys store;
    QString why;
    int deleted = 0;
    // Counted and deleted in one transaction, so the count is what went.
    const bool done = store.Open(env.DataDir, &why) && store.Rewrite([&](QString* failure) {
        deleted = CountCallsThrough(store, day, failure);
        return deleted >= 0 && DeleteCallsThrough(store, day, failure);
    }, &why);
    if (!done)
        return ReportFailed(FailureText(3211, why));
    PrintLine(LoadResStr(1618));
    return ReportDone(LoadResStr(3020).arg(deleted));
}
