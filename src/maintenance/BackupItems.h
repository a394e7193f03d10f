#pragma once
// The five groups of data a backup may hold, and the data files of each.
#include <QString>
#include <QStringList>
#include <cstdint>

enum TBackupItem : int {
    ItemOperators = 0,
    ItemSettings = 1,
    ItemLayouts = 2,
    ItemStaff = 3,
    ItemHistory = 4,
    BackupItemCount = 5
};
constexpr uint32_t AllBackupItems = (1u << BackupItemCount) - 1;

inline const QString ConfigFileName = QStringLiteral("Config.ini");

// The data files of an item in the order they are written: each table's SQLite
// file named as the table, and Config.ini.
const QStringList& BackupItemFiles(int item);
// The item's name as the dialogs list it.
QString BackupItemName(int item);
// The table a data file holds ("Operate.db" holds Operate); empty for Config.ini.
QString TableOfDataFile(const QString& fileName);
// The file of item that a stored block name means, ignoring letter case ("Operate.DB"
// is Operate.db); empty when the item has no such file (the index files of older backups).
QString ItemFileNamed(int item, const QString& blockName);

// "0,2,4" as an item mask; false for an empty list, a number outside 0-4 or anything else.
bool ParseItemList(const QString& text, uint32_t* mask);
// The items of a mask as "0,2,4".
QString ItemListText(uint32_t mask);
