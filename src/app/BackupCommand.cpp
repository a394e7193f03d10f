#include "app/BackupCommand.h"

#include "app/CommandReport.h"
#include "core/Paths.h"
#include "core/ResStrings.h"
#include "maintenance/BackupItems.h"
#include "maintenance/BackupWriter.h"
#include "maintenance/FailureText.h"

#include <QCommandLineParser>

int RunBackupCommand(const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption items(QStringLiteral("items"), QStringLiteral("Items to back up (default: all)."),
                                   QStringLiteral("LIST"));
    const QCommandLineOption compress(QStringLiteral("compress"), QStringLiteral("Each file as a zip archive."));
    parser.addOptions({items, compress});
    if (!ParseCommandArguments(parser, QStringLiteral("backup"), args))
        return ExitBadArguments;
    if (parser.positionalArguments().size() != 1)
        return ReportBadArguments(QStringLiteral("backup FILE [--items 0,1,2,3,4] [--compress]"));
    uint32_t mask = AllBackupItems;
    if (parser.isSet(items) && !ParseItemList(parser.value(items), &mask))
        return ReportBadArguments(QStringLiteral("backup: --items takes item numbers 0 to 4, as in 0,2,4"));

    QString why;
    if (!WriteBackup(DataDir, parser.positionalArguments().first(), mask, parser.isSet(compress), &why))
        return ReportFailed(FailureText(1605, why));
    return ReportDone(LoadResStr(1607));
}
