#include "app/CentralCommand.h"

#include "app/CommandLine.h"
#include "central/CentralPush.h"
#include "central/CentralSchema.h"
#include "central/CentralSettings.h"
#include "central/CentralTexts.h"
#include "central/PgLink.h"
#include "core/Environment.h"
#include "core/ResStrings.h"

namespace {

const TOptionSpec Options[] = {
    {"connect", "The server as a libpq connection string (default: [Central] Connect= of Config.ini).", "CONNINFO"},
};

}  // namespace

int RunCentralCommand(const TEnvironment& env, const QStringList& args)
{
    TCommandLine line("central", Options);
    if (const auto end = line.Parse(args, env.DataDir))
        return *end;
    const QStringList what = line.Positional();
    if (what.size() != 1 || (what[0] != QLatin1String("init") && what[0] != QLatin1String("push")))
        return line.ReportUsage();
    TCentralSettings settings = ReadCentralSettings(env.ConfigPath);
    if (line.IsSet(QStringLiteral("connect")))
        settings.Connect = line.Value(QStringLiteral("connect"));
    if (!settings.Enabled())
        return ReportBadArguments(LoadResStr(TxtCentralNotConfigured));
    QString why;
    if (!TPgLink::CheckConnInfo(settings.Connect, &why))
        return ReportBadArguments(QStringLiteral("--connect: %1").arg(why));

    const TCentralTiming timing;
    TPgLink link;
    if (!link.Connect(settings.Connect, timing.ConnectTimeoutMs, &why))
        return ReportFailed(LoadResStr(TxtCentralFailed).arg(why));
    if (what[0] == QLatin1String("init")) {
        if (!InitCentralSchema(link, timing.StatementTimeoutMs, &why))
            return ReportFailed(LoadResStr(TxtCentralFailed).arg(why));
        return ReportDone(LoadResStr(TxtCentralInitDone).arg(CentralSchemaVersion));
    }
    TPushCount count;
    if (!PushCallLog(env.DataDir, link, settings.Site, timing.BatchRows, timing.StatementTimeoutMs, count, &why))
        return ReportFailed(LoadResStr(TxtCentralFailed).arg(why));
    return ReportDone(LoadResStr(TxtCentralPushDone).arg(count.Added).arg(count.Sent - count.Added));
}
