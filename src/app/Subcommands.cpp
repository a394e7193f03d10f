#include "app/Subcommands.h"

#include "app/BackupCommand.h"
#include "app/BindCommand.h"
#include "app/CentralCommand.h"
#include "app/CleanupCommand.h"
#include "app/CommandLine.h"
#include "app/HistoryCommand.h"
#include "app/LedCommand.h"
#include "app/MemoryCommand.h"
#include "app/OperatorCommand.h"
#include "app/ReportCommand.h"
#include "app/RestoreCommand.h"
#include "core/ResStrings.h"


namespace {

const TSubcommand Subcommands[] = {
    {"led", RunLedCommand, "led upload|clock [--address 1-99] [--file FILE]"},
    {"memory", RunMemoryCommand, "memory read|write FILE [--address 0-255]"},
    {"bind", RunBindCommand,
     "bind button|key [--address N] [--button DDDD] [--code HHHHHH] [--tone 1-12] [--group 1-29] [--pager 1-99] "
     "[--alarm] [--key 1-4] [--text TEXT]"},
    {"backup", RunBackupCommand, "backup FILE [--items 0,1,2,3,4] [--compress]"},
    {"restore", RunRestoreCommand, "restore FILE [--items LIST]"},
    {"cleanup", RunCleanupCommand, "cleanup --through yyyy-MM-dd"},
    {"history", RunHistoryCommand,
     "history [--from D] [--to D] [--area A] [--position P] [--type T] [--server NAME] "
     "[--state all|answered|timeout] [--handler NAME] [--service-time MIN-MAX] [--out FILE] "
     "[--central | --connect CONNINFO] [--site NAME]..."},
    {"report", RunReportCommand,
     "report staff|position|monthly|yearly|response|sites [--period today|week|month | --from D --to D] [--staff NAME] "
     "[--area A] [--position P] [--month yyyy-MM] [--year yyyy] [--by staff|position|hour] [--out FILE] "
     "[--central | --connect CONNINFO] [--site NAME]...",
     ReportDraws},
    {"central", RunCentralCommand, "central init|push [--connect CONNINFO]"},
    {"operator", RunOperatorCommand, "operator list | add NAME [--permissions 0,4,5] [--duty TEXT] | passwd NAME | permissions NAME --set 0,4,5 | remove NAME"},
};

}  // namespace

const TSubcommand* FindSubcommand(const QString& name)
{
    for (const TSubcommand& c : Subcommands)
        if (name == QLatin1String(c.Name))
            return &c;
    return nullptr;
}

QString SubcommandUsages()
{
    QStringList lines;
    for (const TSubcommand& c : Subcommands)
        lines << QStringLiteral("  callstation [--data-dir DIR] ") + QString::fromUtf8(c.Usage);
    return lines.join(QLatin1Char('\n'));
}

QString SubcommandNames()
{
    QStringList names;
    for (const TSubcommand& c : Subcommands)
        names << QLatin1String(c.Name);
    return names.join(QStringLiteral(", "));
}

int ExecuteSubcommand(const TSubcommand& command, const TEnvironment& env, const QStringList& args)
{
    const int status = command.Run(env, args);
    // A command that failed has said why already.
    QString why;
    if (status != ExitDone || StandardOutputWritten(&why))
        return status;
    return ReportFailed(LoadResStr(3118).arg(LoadResStr(3022), why));
}
