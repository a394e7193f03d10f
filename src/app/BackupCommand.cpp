#include "app/BackupCommand.h"

#include "app/CommandLine.h"
#include "core/Environment.h"
#include "core/ResStrings.h"
#include "maintenance/BackupItems.h"
#include "maintenance/BackupWriter.h"
#include "maintenance/FailureText.h"

namespace {

const TOptionSpec Options[] = {
    {"items", "Items to back up (default: all).", "LIST"},
    {"compress", "Each file as a zip archive."},
};

}  // namespace

int RunBackupCommand(const TEnvironment& env, const QStringList& args)
{
    TCommandLine line("backup", Options);
    if (const auto end = line.Parse(args, env.DataDir))
        return *end;
    if (line.Positional().size() != 1)
        return line.ReportUsage();
    uint32_t mask = AllBackupItems;
    if (line.IsSet(QStringLiteral("items")) && !ParseItemList(line.Value(QStringLiteral("items")), &mask))
        return ReportBadArguments(QStringLiteral("backup: --items takes item numbers 0 to 4, as in 0,2,4"));

    QString why;
    if (!WriteBackup(env.DataDir, line.Positional().first(), mask, line.IsSet(QStringLiteral("compress")), &why))
        return ReportFailed(FailureText(1605, why));
    return ReportDone(LoadResStr(1607));
}
