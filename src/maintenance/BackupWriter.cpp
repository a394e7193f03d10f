#include "maintenance/BackupWriter.h"

#include "core/Failure.h"
#include "core/ResStrings.h"
#include "core/SaveFile.h"
#include "maintenance/BackupFormat.h"
#include "maintenance/BackupItems.h"
#include "maintenance/CopyBytes.h"
#include "maintenance/MaintenanceTexts.h"
#include "maintenance/SingleFileZip.h"
#include "maintenance/TableFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <limits>

namespace {

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

// Appends one block and adds its length to total; the format counts in 32 bits.
bool AppendBlock(TSaveFile& out, int item, const QString& name, const QString& contentPath, qint64* total,
                 QString* why)
{
    QFile content(contentPath);
    if (!content.open(QIODevice::ReadOnly))
        return Fail(why, LoadResStr(TxtMaintenanceCannotRead).arg(Native(contentPath), content.errorString()));
    const qint64 n = content.size();
    if (*total + BlockHeaderSize + n > std::numeric_limits<int32_t>::max())
        return Fail(why, LoadResStr(TxtMaintenanceBackupTooLarge));
    const QByteArray header = EncodeBlockHeader({item, static_cast<int32_t>(n), name});
    if (out.write(header) != header.size())
        return Fail(why, LoadResStr(TxtMaintenanceCannotWrite).arg(Native(out.fileName()), out.errorString()));
    if (!CopyBytes(content, out, n, why))
        return false;
    *total += BlockHeaderSize + n;
    return true;
}

// The file whose bytes make the block of one data file: a snapshot of a table,
// Config.ini itself, or the archive of either. Empty without a block to write.
// packing is told how far the archive is.
bool BlockContent(const QString& dataDir, const QString& name, bool compress, const QTemporaryDir& work,
                  const std::function<bool(double)>& packing, QString* contentPath, QString* why)
{
    const QString source = dataDir + QLatin1Char('/') + name;
    QString plain = source;
    if (TableOfDataFile(name).isEmpty()) {
        if (QFileInfo(source).size() == 0) {
            contentPath->clear();
            return true;
        }
    } else {
        plain = work.filePath(name);
        QFile::remove(plain);
        if (!CopyTableFile(source, plain, why))
            return false;
    }
    if (!compress) {
        *contentPath = plain;
        return true;
    }
    *contentPath = work.filePath(name + QStringLiteral(".zip"));
    return packing(0) && ZipOneFile(plain, name, *contentPath, why, packing);
}

// Every SQLite file and the settings in the data directory belong to the station:
// a backup written over one would destroy what it backs up.
bool IsDataFile(const QString& dataDir, const QString& target)
{
    const QFileInfo file(target);
    const QString name = file.fileName();
    return QFileInfo(file.absolutePath()) == QFileInfo(dataDir)
           && (name.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive)
               || name.compare(ConfigFileName, Qt::CaseInsensitive) == 0);
}

}  // namespace

bool WriteBackup(const QString& dataDir, const QString& target, uint32_t mask, bool compress, QString* why,
                 const TJobProgress& progress)
{
    if (IsDataFile(dataDir, target))
        return Fail(why, LoadResStr(TxtMaintenanceTargetIsData).arg(Native(target)));
    const QTemporaryDir work;
    if (!work.isValid())
        return Fail(why, LoadResStr(TxtMaintenanceCannotWrite).arg(Native(work.path()), work.errorString()));
    TSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(QByteArray(BackupHeaderSize, '\0')) != BackupHeaderSize)
        return Fail(why, LoadResStr(TxtMaintenanceCannotWrite).arg(Native(target), out.errorString()));
    // How far it is, in bytes of the data files: each counts once for its snapshot, once for its packing.
    qint64 steps = 0;
    for (int item = 0; item < BackupItemCount; ++item)
        if (mask & (1u << item))
            for (const QString& name : BackupItemFiles(item))
                steps += 2 * QFileInfo(dataDir + QLatin1Char('/') + name).size();
    qint64 stepsDone = 0;
    qint64 total = 0;
    uint32_t held = 0;
    for (int item = 0; item < BackupItemCount; ++item) {
        if (!(mask & (1u << item)))
            continue;
        for (const QString& name : BackupItemFiles(item)) {
            const qint64 size = QFileInfo(dataDir + QLatin1Char('/') + name).size();
            const auto packing = [&](double done) {
                progress.Reached(stepsDone + size + static_cast<qint64>(size * done), steps);
                return !progress.Cancelled();
            };
            QString content;
            bool appended = BlockContent(dataDir, name, compress, work, packing, &content, why);
            if (appended && !content.isEmpty()) {
                appended = AppendBlock(out, item, name, content, &total, why);
                held |= 1u << item;
            }
            // One file's snapshot at a time: the work space stays as small as the largest table.
            QFile::remove(work.filePath(name));
            QFile::remove(work.filePath(name + QStringLiteral(".zip")));
            if (progress.Cancelled())
                return Fail(why, LoadResStr(TxtMaintenanceCancelled));
            if (!appended)
                return false;
            stepsDone += 2 * size;
            progress.Reached(stepsDone, steps);
        }
    }
    const QByteArray header = EncodeBackupHeader({static_cast<int32_t>(total), compress, held});
    if (!out.seek(0) || out.write(header) != header.size() || !out.commit())
        return Fail(why, LoadResStr(TxtMaintenanceCannotWrite).arg(Native(target), out.errorString()));
    return true;
}
