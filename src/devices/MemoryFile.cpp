#include "devices/MemoryFile.h"

#include "core/SaveFile.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr char Magic[] = "QORADMEM";
constexpr int MagicLength = 8;
constexpr int HeaderLength = 12;
constexpr int Overhead = 13;

constexpr int OpenFailed = 1610;
constexpr int InvalidFile = 2026;
constexpr int ReadFailed = 2027;

char Sum(const QByteArray& bytes)
{
    unsigned sum = 0;
    for (char b : bytes)
        sum += uint8_t(b);
    return char(sum);
}

}  // namespace

QByteArray MemoryFileBytes(const QByteArray& image)
{
    QByteArray bytes(Magic, MagicLength);
    char size[4];
    qToLittleEndian<quint32>(quint32(image.size()), size);
    bytes.append(size, 4);
    bytes.append(image);
    bytes.append(Sum(image));
    return bytes;
}

bool ExportMemoryFile(const QString& path, const QByteArray& image)
{
    TSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(MemoryFileBytes(image));
    return file.commit();
}

int ImportMemoryFile(const QString& path, QByteArray* image)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return OpenFailed;
    const qint64 length = file.size();
    if (length > MaxMemoryFileSize)
        return InvalidFile;
    const QByteArray bytes = file.read(length);
    if (bytes.size() < length)
        return ReadFailed;
    if (bytes.size() < Overhead || !bytes.startsWith(QByteArray(Magic, MagicLength)))
        return InvalidFile;
    const quint32 n = qFromLittleEndian<quint32>(bytes.constData() + MagicLength);
    if (quint64(bytes.size()) != quint64(n) + Overhead)
        return InvalidFile;
    const QByteArray data = bytes.mid(HeaderLength, n);
    if (bytes.back() != Sum(data))
        return InvalidFile;
    *image = data;
    return 0;
}
