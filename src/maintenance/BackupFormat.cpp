#include "maintenance/BackupFormat.h"

#include <QtEndian>

namespace {

constexpr int TotalOffset = 16;
constexpr int CompressedOffset = 20;
constexpr int MaskOffset = 21;
constexpr int LengthOffset = 1;
constexpr int NameOffset = 5;

}  // namespace

QByteArray EncodeBackupHeader(const TBackupHeader& header)
{
    QByteArray bytes(BackupHeaderSize, '\0');
    bytes.replace(0, BackupMagic.size(), BackupMagic);
    qToLittleEndian<qint32>(header.Total, bytes.data() + TotalOffset);
    bytes[CompressedOffset] = header.Compressed ? 1 : 0;
    qToLittleEndian<quint32>(header.Mask, bytes.data() + MaskOffset);
    return bytes;
}

bool DecodeBackupHeader(const QByteArray& bytes, TBackupHeader* header)
{
    if (bytes.size() < BackupHeaderSize || !bytes.startsWith(BackupMagic))
        return false;
    header->Total = qFromLittleEndian<qint32>(bytes.constData() + TotalOffset);
    header->Compressed = bytes[CompressedOffset] != 0;
    header->Mask = qFromLittleEndian<quint32>(bytes.constData() + MaskOffset);
    return true;
}

QByteArray EncodeBlockHeader(const TBlockHeader& block)
{
    QByteArray bytes(BlockHeaderSize, '\0');
    bytes[0] = static_cast<char>(block.Item);
    qToLittleEndian<qint32>(block.Length, bytes.data() + LengthOffset);
    const QByteArray name = block.Name.toLatin1().left(BlockNameSize);
    bytes.replace(NameOffset, name.size(), name);
    return bytes;
}

bool DecodeBlockHeader(const QByteArray& bytes, TBlockHeader* block)
{
    if (bytes.size() < BlockHeaderSize)
        return false;
    block->Item = static_cast<uint8_t>(bytes[0]);
    block->Length = qFromLittleEndian<qint32>(bytes.constData() + LengthOffset);
    const QByteArray name = bytes.mid(NameOffset, BlockNameSize);
    const qsizetype end = name.indexOf('\0');
    block->Name = QString::fromLatin1(end < 0 ? name : name.left(end));
    return true;
}
