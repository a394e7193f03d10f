#include "maintenance/Restore.h"

#include "core/DataStore.h"
#include "core/IniFile.h"
#include "core/ResStrings.h"
#include "maintenance/BackupFile.h"
#include "maintenance/BackupItems.h"
#include "maintenance/SingleFileZip.h"
#include "maintenance/TableFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QTemporaryFile>
#include <filesystem>
#include <memory>
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
    if (!file.open(QIODevice::ReadOnly)) {
        *why = LoadResStr(3200).arg(Native(path), file.errorString());
        return false;
    }
    if (file.readAll().contains('\0')) {
        *why = LoadResStr(3202).arg(Native(path), QStringLiteral("not a settings file"));
        return false;
    }
    IniFile ini;
    return ini.Load(path, why);
}

// One data file of the item, written out and checked beside the one it replaces.
struct TStaged {
    QString File;                          // "Operate.db", "Config.ini"
    std::unique_ptr<QTemporaryFile> Temp;
};

bool Stage(TBackupFile& backup, const TBackupBlock& block, const QString& dir, TStaged* staged, QString* why)
{
    staged->Temp = std::make_unique<QTemporaryFile>(dir + QLatin1Char('/') + staged->File
                                                    + QStringLiteral(".restore-XXXXXX"));
    QTemporaryFile& temp = *staged->Temp;
    if (!temp.open()) {
        *why = LoadResStr(3201).arg(Native(temp.fileTemplate()), temp.errorString());
        return false;
    }
    const bool written = backup.Compressed()
                             ? UnzipOneFile(backup.Path(), block.Offset, block.Length, staged->File, temp, why)
                             : backup.CopyContent(block, temp, why);
    if (!written)
        return false;
    if (!temp.flush()) {
        *why = LoadResStr(3201).arg(Native(temp.fileName()), temp.errorString());
        return false;
    }
    temp.close();
    const QString table = TableOfDataFile(staged->File);
    return table.isEmpty() ? CheckConfigFile(temp.fileName(), why) : CheckTableFile(temp.fileName(), table, why);
}

// Swaps staged files in for the item's data files, all or none.
class TSwap {
public:
    TSwap(const TRestoreTarget& target) : target_(target) {}
    ~TSwap()
    {
        if (!done_)
            Undo();
    }

    bool Run(std::vector<TStaged>& staged, QString* why)
    {
        for (const TStaged& s : staged) {
            const QString table = TableOfDataFile(s.File);
            if (target_.LiveStore && !table.isEmpty()) {
                if (!target_.LiveStore->DetachTable(table, why))
                    return false;
                detached_.push_back(table);
            }
        }
        for (TStaged& s : staged) {
            if (!Replace(s, why))
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

    bool Replace(TStaged& s, QString* why)
    {
        const QString path = target_.DataDir + QLatin1Char('/') + s.File;
        TReplaced r{FsPath(path), {}};
        std::error_code error;
        if (fs::exists(r.Path, error)) {
            // The old file stays reachable under a second name until the whole item is in.
            r.Keep = fs::path(r.Path).concat(".before-restore");
            fs::remove(r.Keep, error);
            fs::create_hard_link(r.Path, r.Keep, error);
            if (error)
                fs::copy_file(r.Path, r.Keep, fs::copy_options::overwrite_existing, error);
            // A journal left by a station that stopped mid-write belongs to the old file.
            if (!error && fs::exists(Journal(r.Path), error))
                fs::rename(Journal(r.Path), Journal(r.Keep), error);
            if (error) {
                *why = LoadResStr(3210).arg(Native(path), QString::fromStdString(error.message()));
                fs::remove(r.Keep, error);
                return false;
            }
        }
        fs::rename(FsPath(s.Temp->fileName()), r.Path, error);
        if (error) {
            *why = LoadResStr(3210).arg(Native(path), QString::fromStdString(error.message()));
            replaced_.push_back(r);   // undone with the others: its journal moved
            return false;
        }
        s.Temp->setAutoRemove(false);
        replaced_.push_back(r);
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
    std::vector<QString> detached_;
    std::vector<TReplaced> replaced_;
    bool done_ = false;
};

}  // namespace

bool RestoreItem(TBackupFile& backup, int item, const TRestoreTarget& target, QString* why)
{
    std::vector<TBackupBlock> blocks;
    if (!backup.ItemBlocks(item, &blocks, why))
        return false;
    if (!QDir().mkpath(target.DataDir)) {
        *why = LoadResStr(3201).arg(Native(target.DataDir), QStringLiteral("cannot create the directory"));
        return false;
    }
    std::vector<TStaged> staged;
    for (const TBackupBlock& block : blocks) {
        const QString file = ItemFileNamed(item, block.Name);
        if (file.isEmpty())
            continue;
        // A later block of the same file takes the place of an earlier one.
        std::erase_if(staged, [&](const TStaged& s) { return s.File == file; });
        staged.push_back({file, nullptr});
        if (!Stage(backup, block, target.DataDir, &staged.back(), why))
            return false;
    }
    return TSwap(target).Run(staged, why);
}

bool RestoreItems(TBackupFile& backup, uint32_t mask, const TRestoreTarget& target, QString* why)
{
    for (int item = 0; item < BackupItemCount; ++item) {
        if (!(mask & (1u << item)))
            continue;
        QMutexLocker lock(&DataMutex);
        if (target.BeforeItem)
            target.BeforeItem(item);
        const bool restored = RestoreItem(backup, item, target, why);
        if (target.AfterItem)
            target.AfterItem(item, restored);
        if (!restored)
            return false;
    }
    return true;
}
