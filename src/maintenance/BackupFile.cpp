#include "maintenance/BackupFile.h"

#include "core/Failure.h"
#include "core/ResStrings.h"
#include "maintenance/BackupFormat.h"
#include "maintenance/BackupItems.h"
#include "maintenance/CopyBytes.h"
#include "maintenance/MaintenanceTexts.h"

#include <QDir>

TBackupOpen TBackupFile::Open(const QString& path)
{
    Close();
    file_.setFileName(path);
    if (!file_.open(QIODevice::ReadOnly))
        return TBackupOpen::CannotOpen;
    TBackupHeader header;
    if (!DecodeBackupHeader(file_.read(BackupHeaderSize), &header) || header.Total < 0
        || file_.size() != qint64(header.Total) + BackupHeaderSize) {
        Close();
        return TBackupOpen::Invalid;
    }
    end_ = file_.size();
    mask_ = header.Mask & AllBackupItems;
    compressed_ = header.Compressed;
    return TBackupOpen::Ok;
}

void TBackupFile::Close()
{
    file_.close();
    end_ = 0;
    mask_ = 0;
    compressed_ = false;
}

bool TBackupFile::ItemBlocks(int item, std::vector<TBackupBlock>* blocks, QString* why)
{
    blocks->clear();
    qint64 at = BackupHeaderSize;
    while (at < end_) {
        TBlockHeader header;
        const bool read = file_.seek(at) && DecodeBlockHeader(file_.read(BlockHeaderSize), &header);
        if (read && header.Item > item)
            break;
        const qint64 content = at + BlockHeaderSize;
        if (!read || header.Length <= 0 || header.Length > end_ - content)
            return Fail(why, LoadResStr(TxtMaintenanceBadBlock).arg(QDir::toNativeSeparators(file_.fileName())).arg(at));
        if (header.Item == item)
            blocks->push_back({header.Item, header.Name, content, header.Length});
        at = content + header.Length;
    }
    return true;
}

bool TBackupFile::CopyContent(const TBackupBlock& block, QFileDevice& out, QString* why)
{
    if (!file_.seek(block.Offset))
        return Fail(why, LoadResStr(TxtMaintenanceCannotRead).arg(QDir::toNativeSeparators(file_.fileName()), file_.errorString()));
    return CopyBytes(file_, out, block.Length, why);
}
