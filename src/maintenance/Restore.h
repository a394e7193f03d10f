#pragma once
// Restoring items of a backup file into a data directory, all or nothing: every
// file of every chosen item is first written beside its data file and checked
// (staging, on any thread, holding no lock); only then are they swapped in, each
// by one rename, under DataMutex. A damaged block anywhere leaves every data file
// as it was.
#include "maintenance/JobProgress.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class TBackupFile;
class TDM_Sys;

struct TRestoreTarget {
    QString DataDir;
    // The running station's connection, when one runs on DataDir: the tables being
    // replaced are closed for the swap and opened again after it.
    TDM_Sys* LiveStore = nullptr;
    // Run under DataMutex around the swap: BeforeItem for each chosen item in index
    // order, then AfterItem for each (restored: whether the swap went through).
    std::function<void(int item)> BeforeItem;
    std::function<void(int item, bool restored)> AfterItem;
};

// The files of the chosen items written out and checked beside the data files they
// are to replace, with those files' mode, owner and group. Whatever has not been
// swapped in is removed with this object.
class TStagedRestore {
public:
    TStagedRestore() = default;
    ~TStagedRestore();
    TStagedRestore(const TStagedRestore&) = delete;
    TStagedRestore& operator=(const TStagedRestore&) = delete;

    // Stages every item of mask into dataDir. Blocks of other items are skipped, block
    // names are matched to the item's files ignoring letter case, and blocks that name
    // no file of the item (index files of older backups) are passed over. False with
    // the reason when mask is empty, a block is damaged, an item lacks one of its
    // files, or progress was cancelled; nothing is then left staged.
    bool Stage(TBackupFile& backup, uint32_t mask, const QString& dataDir, QString* why,
               const TJobProgress& progress = {});
    // Swaps every staged file in, all or none, on the thread of target.LiveStore.
    bool SwapIn(const TRestoreTarget& target, QString* why);

    // Removes whatever is staged.
    void Discard();

    uint32_t Items() const { return items_; }

private:
    struct TFile {
        QString Name;   // "Operate.db", "Config.ini"
        QString Path;   // the staged file beside it
    };

    QString dir_;
    uint32_t items_ = 0;
    std::vector<TFile> files_;
};

// Stages and swaps in the items of mask where it is called (false with the reason);
// on failure no data file has changed.
bool RestoreItems(TBackupFile& backup, uint32_t mask, const TRestoreTarget& target, QString* why);
