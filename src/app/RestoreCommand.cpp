#include "app/RestoreCommand.h"

#include "app/CommandLine.h"
#include "core/DataDirLock.h"
#include "core/Environment.h"
#include "core/ResStrings.h"
#include "maintenance/BackupFile.h"
#include "maintenance/BackupItems.h"
#include "maintenance/FailureText.h"
#include "maintenance/Restore.h"


namespace {

const TOptionSpec Options[] = {
    {"items", "Items to restore (default: every item the file holds).", "LIST"},
};

}  // namespace

int RunRestoreCommand(const TEnvironment& env, const QStringList& args)
{
    TCommandLine line("restore", Options);
    if (const auto end = line.Parse(args, env.DataDir))
        return *end;
    if (line.Positional().size() != 1)
        return line.ReportUsage();
    uint32_t wanted = 0;
    const bool itemsGiven = line.IsSet(QStringLiteral("items"));
    if (itemsGiven && !ParseItemList(line.Value(QStringLiteral("items")), &wanted))
        return ReportBadArguments(QStringLiteral("restore: --items takes item numbers 0 to 4, as in 0,2,4"));

    // The station's own lock, held to the end: no station may start on the files being replaced.
    TDataDirLock lock(env.DataDir);
    if (!lock.TryLock())
        return ReportFailed(LoadResStr(3206).arg(lock.Holder()));

    TBackupFile backup;
    switch (backup.Open(line.Positional().first())) {
    case TBackupOpen::CannotOpen:
        return ReportFailed(LoadResStr(1610));
    case TBackupOpen::Invalid:
        return ReportFailed(LoadResStr(1611));
    case TBackupOpen::Ok:
        break;
    }
    if (!itemsGiven)
        wanted = backup.Mask();
    else if (wanted & ~backup.Mask())
        return ReportBadArguments(QStringLiteral("restore: the backup file holds the items %1 only")
                                      .arg(ItemListText(backup.Mask())));

    QString why;
    if (!RestoreItems(backup, wanted, {env.DataDir, nullptr, {}, {}}, &why))
        return ReportFailed(FailureText(1614, why));
    return ReportDone(LoadResStr(1615));
}
