#include "maintenance/Restore.h"

#include "core/DataStore.h"
#include "core/Failure.h"
#include "core/IniFile.h"
#include "core/ResStrings.h"
#include "maintenance/BackupFile.h"
#include "maintenance/BackupItems.h"
#include "maintenance/FileAttributes.h"
#include "maintenance/MaintenanceTexts.h"
#include "maintenance/SingleFileZip.h"
#include "maintenance/TableFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QTemporaryFile>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }
fs::path FsPath(const QString& path) { return QFileInfo(path).filesystemAbsoluteFilePath(); }

// A settings file is text: a block that holds anything else is damaged.
bool CheckConfigFile(const QString& path, QString* why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(why, LoadResStr(TxtMaintenanceCannotRead).arg(Native(path), file.errorString()));
    if (file.readAll().contains('\0')) {
        return Fail(why, LoadResStr(TxtMaintenanceNotADataFile).arg(Native(path), QStringLiteral("not a settings file")));
    }
    IniFile ini;
    return ini.Load(path, why);
}

// Writes one block out beside the data file it is to replace and checks it; path is
// the staged file, also when this fails (removed by the caller).
bool StageBlock(TBackupFile& backup, const TBackupBlock& block, const QString& dir, const QString& file, QString* path,
           QString* why)
{
    QTemporaryFile temp(dir + QLatin1Char('/') + file + QStringLiteral(".restore-XXXXXX"));
    if (!temp.open())
        return Fail(why, LoadResStr(TxtMaintenanceCannotWrite).arg(Native(temp.fileTemplate()), temp.errorString()));
    temp.setAutoRemove(false);
    *path = temp.fileName();
    const bool written = backup.Compressed()
                             ? UnzipOneFile(backup.Path(), block.Offset, block.Length, file, temp, why)
                             : backup.CopyContent(block, temp, why);
    if (!written)
        return false;
    if (!temp.flush())
        return Fail(why, LoadResStr(TxtMaintenanceCannotWrite).arg(Native(*path), temp.errorString()));
    temp.close();
    const QString table = TableOfDataFile(file);
    return (table.isEmpty() ? CheckConfigFile(*path, why) : CheckTableFile(*path, table, why))
           && TakeAttributes(AttributesModel(dir, file), *path, why);
}

// Swaps staged files in for the data files, all or none.
class TSwap {
public:
    TSwap(const TRestoreTarget& target, const QString& dir) : target_(target), dir_(dir) {}
    ~TSwap()
    {
        if (!done_)
            Undo();
    }

    template <typename Files>
    bool Run(const Files& staged, QString* why)
    {
        for (const auto& s : staged) {
            const QString table = TableOfDataFile(s.Name);
            if (target_.LiveStore && !table.isEmpty()) {
                if (!target_.LiveStore->DetachTable(table, why))
                    return false;
                detached_.push_back(table);
            }
        }
        for (const auto& s : staged) {
            if (!Replace(s.Name, s.Path, why))
                return false;
        }
        for (const QString& table : detached_) {
            if (!target_.LiveStore->AttachTable(table, why))
                return false;
        }
        done_ = true;
        for (const TReplaced& r : replaced_) {
            std::error_code ignored;
            fs::remove(r.Keep, ignored);
            fs::remove(Journal(r.Keep), ignored);
        }
        return true;
    }

private:
    struct TReplaced {
        fs::path Path;
        fs::path Keep;   // the old file, linked or copied here; empty when there was none
    };

    static fs::path Journal(const fs::path& db) { return fs::path(db).concat("-journal"); }

    bool Replace(const QString& name, const QString& staged, QString* why)
    {
        const QString path = dir_ + QLatin1Char('/') + name;
        TReplaced r{FsPath(path), {}};
        std::error_code error;
        if (fs::exists(r.Path, error)) {
            // The old file stays reachable under a second name until every file is in.
            r.Keep = fs::path(r.Path).concat(".before-restore");
            fs::remove(r.Keep, error);
            fs::create_hard_link(r.Path, r.Keep, error);
            if (error)
                fs::copy_file(r.Path, r.Keep, fs::copy_options::overwrite_existing, error);
            // A journal left by a station that stopped mid-write belongs to the old file.
            if (!error && fs::exists(Journal(r.Path), error))
                fs::rename(Journal(r.Path), Journal(r.Keep), error);
            if (error) {
                Fail(why, LoadResStr(TxtMaintenanceCannotReplace).arg(Native(path), QString::fromStdString(error.message())));
                fs::remove(r.Keep, error);
                return false;
            }
        }
        fs::rename(FsPath(staged), r.Path, error);
        replaced_.push_back(r);   // also on failure: undone with the others, its journal moved
        if (error)
            return Fail(why, LoadResStr(TxtMaintenanceCannotReplace).arg(Native(path), QString::fromStdString(error.message())));
        return true;
    }

    void Undo()
    {
        for (const QString& table : detached_)
            target_.LiveStore->DetachTable(table, nullptr);   // those already attached again
        std::error_code ignored;
        for (auto r = replaced_.rbegin(); r != replaced_.rend(); ++r) {
            if (r->Keep.empty()) {
                fs::remove(r->Path, ignored);
                continue;
            }
            fs::rename(r->Keep, r->Path, ignored);
            fs::remove(r->Keep, ignored);   // left when the new file never took its place
            if (fs::exists(Journal(r->Keep), ignored))
                fs::rename(Journal(r->Keep), Journal(r->Path), ignored);
        }
        for (const QString& table : detached_)
            target_.LiveStore->AttachTable(table, nullptr);
    }

    const TRestoreTarget& target_;
    const QString dir_;
    std::vector<QString> detached_;
    std::vector<TReplaced> replaced_;
    bool done_ = false;
};

}  // namespace

TStagedRestore::~TStagedRestore() { Discard(); }

void TStagedRestore::Discard()
{
    for (const TFile& f : files_)
        QFile::remove(f.Path);
    files_.clear();
    items_ = 0;
}

bool TStagedRestore::Stage(TBackupFile& backup, uint32_t mask, const QString& dataDir, QString* why,
                           const TJobProgress& progress)
{
    Discard();
    dir_ = dataDir;
    mask &= AllBackupItems;
    if (mask == 0)
        return Fail(why, LoadResStr(TxtMaintenanceNoRestoreItem));
    // Every block header is read before any content, so a damaged one fails at once.
    std::vector<std::vector<TBackupBlock>> blocks(BackupItemCount);
    qint64 total = 0;
    for (int item = 0; item < BackupItemCount; ++item) {
        if (!(mask & (1u << item)))
            continue;
        if (!backup.ItemBlocks(item, &blocks[item], why))
            return false;
        QStringList missing;
        for (const QString& file : BackupItemFiles(item))
            if (std::none_of(blocks[item].begin(), blocks[item].end(),
                             [&](const TBackupBlock& b) { return ItemFileNamed(item, b.Name) == file; }))
                missing << file;
        if (!missing.isEmpty())
            return Fail(why, LoadResStr(TxtMaintenanceMissingFiles).arg(BackupItemName(item), missing.join(QStringLiteral(", "))));
        for (const TBackupBlock& b : blocks[item])
            total += b.Length;
    }
    if (!QDir().mkpath(dataDir))
        return Fail(why, LoadResStr(TxtMaintenanceCannotWrite).arg(Native(dataDir), QStringLiteral("cannot create the directory")));
    const auto fail = [&] {
        Discard();
        return false;
    };
    qint64 done = 0;
    for (int item = 0; item < BackupItemCount; ++item) {
        for (const TBackupBlock& block : blocks[item]) {
            const QString file = ItemFileNamed(item, block.Name);
            if (file.isEmpty())
                continue;
            if (progress.Cancelled()) {
                Fail(why, LoadResStr(TxtMaintenanceCancelled));
                return fail();
            }
            // A later block of the same file takes the place of an earlier one.
            for (auto f = files_.begin(); f != files_.end(); ++f)
                if (f->Name == file) {
                    QFile::remove(f->Path);
                    files_.erase(f);
                    break;
                }
            files_.push_back({file, QString()});
            if (!StageBlock(backup, block, dataDir, file, &files_.back().Path, why))
                return fail();
            done += block.Length;
            progress.Reached(done, total);
        }
    }
    items_ = mask;
    return true;
}

bool TStagedRestore::SwapIn(const TRestoreTarget& target, QString* why)
{
    QMutexLocker lock(&DataMutex);
    for (int item = 0; item < BackupItemCount; ++item)
        if ((items_ & (1u << item)) && target.BeforeItem)
            target.BeforeItem(item);
    const bool restored = TSwap(target, dir_).Run(files_, why);
    if (restored)
        files_.clear();
    for (int item = 0; item < BackupItemCount; ++item)
        if ((items_ & (1u << item)) && target.AfterItem)
            target.AfterItem(item, restored);
    return restored;
}

bool RestoreItems(TBackupFile& backup, uint32_t mask, const TRestoreTarget& target, QString* why)
{
    TStagedRestore staged;
    return staged.Stage(backup, mask, target.DataDir, why) && staged.SwapIn(target, why);
}
