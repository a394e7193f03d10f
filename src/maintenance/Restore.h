#pragma once
// Restoring items of a backup file into a data directory. Each file is first
// written beside its data file and checked; only then are the item's files
// swapped in, each by one rename, so a damaged block leaves them as they were.
#include <QString>
#include <cstdint>
#include <functional>

class TBackupFile;
class TDM_Sys;

struct TRestoreTarget {
    QString DataDir;
    // The running station's connection, when one runs on DataDir: the tables being
    // replaced are closed for the swap and opened again after it.
    TDM_Sys* LiveStore = nullptr;
    // Run under DataMutex before each item and after it, also after a failure.
    std::function<void(int item)> BeforeItem;
    std::function<void(int item, bool restored)> AfterItem;
};

// Restores the data files of one item from its blocks. Blocks of other items
// are skipped, block names are matched to the item's files ignoring letter case,
// and blocks that name no file of the item (index files of older backups) are
// passed over. False with the reason; the item's files are then unchanged.
bool RestoreItem(TBackupFile& backup, int item, const TRestoreTarget& target, QString* why);

// Restores the items of mask in index order, each under DataMutex, and stops at
// the first that fails (false with the reason); the items before it stay restored.
bool RestoreItems(TBackupFile& backup, uint32_t mask, const TRestoreTarget& target, QString* why);
