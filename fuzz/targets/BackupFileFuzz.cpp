// Any bytes as a backup file: opening it and walking every item's blocks never
// reads outside the file or allocates what a length claims, and every block
// handed out lies inside the file; compressed blocks are unpacked as a restore
// would (into a scratch file), which must fail cleanly on a broken archive.
#include "maintenance/BackupFile.h"
#include "maintenance/SingleFileZip.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.bak"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    TBackupFile backup;
    if (backup.Open(path) != TBackupOpen::Ok)
        return 0;
    QFile scratch(dir.filePath(QStringLiteral("block")));
    for (int item = 0; item < 5; ++item) {
        std::vector<TBackupBlock> blocks;
        QString why;
        backup.ItemBlocks(item, &blocks, &why);
        for (const TBackupBlock& block : blocks) {
            if (block.Offset < 0 || block.Length <= 0 || block.Offset + block.Length > static_cast<qint64>(size))
                std::abort();
            if (!scratch.open(QIODevice::WriteOnly | QIODevice::Truncate))
                std::abort();
            if (backup.Compressed())
                UnzipOneFile(path, block.Offset, block.Length, block.Name, scratch, &why);
            else
                backup.CopyContent(block, scratch, &why);
            scratch.close();
        }
    }
    return 0;
}
