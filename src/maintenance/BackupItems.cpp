#include "maintenance/BackupItems.h"

#include "core/ResStrings.h"
#include "maintenance/MaintenanceTexts.h"

#include <array>

const QStringList& BackupItemFiles(int item)
{
    static const std::array<QStringList, BackupItemCount> files = {
        QStringList{QStringLiteral("Operate.db")},
        QStringList{ConfigFileName},
        QStringList{QStringLiteral("LayOutName.db"), QStringLiteral("LayOutPoint.db")},
        QStringList{QStringLiteral("DutyTable.db"), QStringLiteral("Waiter.db")},
        QStringList{QStringLiteral("CallInfo.db")},
    };
    static const QStringList none;
    return item >= 0 && item < BackupItemCount ? files[static_cast<size_t>(item)] : none;
}

QString BackupItemName(int item) { return LoadResStr(TxtMaintenanceItemNames).split(QLatin1Char('\n')).value(item); }

QString TableOfDataFile(const QString& fileName)
{
    if (fileName.compare(ConfigFileName, Qt::CaseInsensitive) == 0)
        return QString();
    return fileName.left(fileName.lastIndexOf(QLatin1Char('.')));
}

QString ItemFileNamed(int item, const QString& blockName)
{
    for (const QString& file : BackupItemFiles(item))
        if (file.compare(blockName, Qt::CaseInsensitive) == 0)
            return file;
    return QString();
}

bool ParseItemList(const QString& text, uint32_t* mask)
{
    uint32_t bits = 0;
    for (const QString& part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int item = part.trimmed().toInt(&ok);
        if (!ok || item < 0 || item >= BackupItemCount)
            return false;
        bits |= 1u << item;
    }
    *mask = bits;
    return true;
}

QString ItemListText(uint32_t mask)
{
    QStringList items;
    for (int item = 0; item < BackupItemCount; ++item)
        if (mask & (1u << item))
            items << QString::number(item);
    return items.join(QLatin1Char(','));
}
