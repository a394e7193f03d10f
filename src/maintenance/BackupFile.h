#pragma once
// A backup file chosen for a restore: checked once when opened, then read
// item by item. Nothing read from it is trusted: a block's length that runs
// past the blocks fails its item before anything is read or allocated.
#include <QFile>
#include <QString>
#include <cstdint>
#include <vector>

enum class TBackupOpen {
    Ok,
    CannotOpen,  // 1610
    Invalid,     // 1611: short header, other magic, or a length other than total + 32
};

struct TBackupBlock {
    int Item = 0;
    QString Name;        // as stored
    qint64 Offset = 0;   // of the content in the file
    qint64 Length = 0;
};

class TBackupFile {
public:
    TBackupOpen Open(const QString& path);
    void Close();
    bool IsOpen() const { return file_.isOpen(); }
    QString Path() const { return file_.fileName(); }

    uint32_t Mask() const { return mask_; }      // items the file holds (bits 0-4)
    bool Compressed() const { return compressed_; }

    // The blocks of item in file order, walking the blocks from the first up to the
    // first of a later item. False with the reason at a block header that cannot be
    // read or a length of 0 or less, or running past the end of the blocks.
    bool ItemBlocks(int item, std::vector<TBackupBlock>* blocks, QString* why);
    // Copies a block's content to out in chunks.
    bool CopyContent(const TBackupBlock& block, QFileDevice& out, QString* why);

private:
    QFile file_;
    qint64 end_ = 0;     // total + 32: where the blocks end
    uint32_t mask_ = 0;
    bool compressed_ = false;
};
