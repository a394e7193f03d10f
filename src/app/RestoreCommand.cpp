#include "app/RestoreCommand.h"

#include "app/CommandReport.h"
#include "core/DataDirLock.h"
#include "core/Paths.h"
#include "core/ResStrings.h"
#include "maintenance/BackupFile.h"
#include "maintenance/BackupItems.h"
#include "maintenance/FailureText.h"
#include "maintenance/Restore.h"

#include <QCommandLineParser>
#include <QDir>

int RunRestoreCommand(const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption items(QStringLiteral("items"),
                                   QStringLiteral("Items to restore (default: every item the file holds)."),
                                   QStringLiteral("LIST"));
    parser.addOption(items);
    if (!ParseCommandArguments(parser, QStringLiteral("restore"), args))
        return ExitBadArguments;
    if (parser.positionalArguments().size() != 1)
        return ReportBadArguments(QStringLiteral("restore FILE [--items LIST]"));
    uint32_t wanted = 0;
    if (parser.isSet(items) && !ParseItemList(parser.value(items), &wanted))
        return ReportBadArguments(QStringLiteral("restore: --items takes item numbers 0 to 4, as in 0,2,4"));

    // The station's own lock, held to the end: no station may start on the files being replaced.
    if (!QDir().mkpath(DataDir))
        return ReportFailed(FailureText(1614, LoadResStr(3201).arg(QDir::toNativeSeparators(DataDir), QStringLiteral("cannot create the directory"))));
    TDataDirLock lock(DataDir);
    if (!lock.TryLock())
        return ReportFailed(LoadResStr(3206).arg(lock.Holder()));

    TBackupFile backup;
    switch (backup.Open(parser.positionalArguments().first())) {
    case TBackupOpen::CannotOpen:
        return ReportFailed(LoadResStr(1610));
    case TBackupOpen::Invalid:
        return ReportFailed(LoadResStr(1611));
    case TBackupOpen::Ok:
        break;
    }
    if (!parser.isSet(items))
        wanted = backup.Mask();
    else if (wanted & ~backup.Mask())
        return ReportBadArguments(QStringLiteral("restore: the backup file holds the items %1 only")
                                      .arg(ItemListText(backup.Mask())));

    QString why;
    if (!RestoreItems(backup, wanted, {DataDir, nullptr, {}, {}}, &why))
        return ReportFailed(FailureText(1614, why));
    return ReportDone(LoadResStr(1615));
}
