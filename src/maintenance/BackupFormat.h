#pragma once
// The backup file: a 32-byte header, then one block per data file, each a
// 32-byte block header and the file's content (plain, or a zip archive holding
// the file). Integers are little-endian and not aligned.
//
// Header: 0 magic (16 bytes), 16 total length of all blocks with their headers (int32),
//         20 compressed flag (1 byte), 21 item mask (uint32), 25 zero (7 bytes).
// Block:  0 item index (1 byte), 1 content length n (int32), 5 file name (27 bytes,
//         ASCII, zero-padded), 32 content (n bytes).
#include <QByteArray>
#include <QString>
#include <cstdint>

constexpr int BackupHeaderSize = 32;
constexpr int BlockHeaderSize = 32;
constexpr int BlockNameSize = 27;
inline const QByteArray BackupMagic = QByteArrayLiteral("QORA DATA Backup");

struct TBackupHeader {
    int32_t Total = 0;
    bool Compressed = false;
    uint32_t Mask = 0;
};

struct TBlockHeader {
    int Item = 0;
    int32_t Length = 0;
    QString Name;
};

QByteArray EncodeBackupHeader(const TBackupHeader& header);
// False when bytes is shorter than a header or its magic differs in any byte.
bool DecodeBackupHeader(const QByteArray& bytes, TBackupHeader* header);

// The name is cut to 27 bytes.
QByteArray EncodeBlockHeader(const TBlockHeader& block);
// False when bytes is shorter than a block header. The name ends at its first zero byte.
bool DecodeBlockHeader(const QByteArray& bytes, TBlockHeader* block);
