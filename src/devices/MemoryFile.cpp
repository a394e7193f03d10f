#include "devices/MemoryFile.h"

#include "core/CoreTexts.h"
#include "core/SaveFile.h"
#include "devices/DevicesTexts.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr char Magic[] = "QORADMEM";
constexpr int MagicLength = 8;
constexpr int HeaderLength = 12;
constexpr int Overhead = 13;


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
        return TxtOpenFileFailed;
    const qint64 length = file.size();
    if (length > MaxMemoryFileSize)
        return TxtDevicesInvalidFile;
    const QByteArray bytes = file.read(length);
    if (bytes.size() < length)
        return TxtDevicesReadFailed;
    if (bytes.size() < Overhead || !bytes.startsWith(QByteArray(Magic, MagicLength)))
        return TxtDevicesInvalidFile;
    const quint32 n = qFromLittleEndian<quint32>(bytes.constData() + MagicLength);
    if (quint64(bytes.size()) != quint64(n) + Overhead)
        return TxtDevicesInvalidFile;
    const QByteArray data = bytes.mid(HeaderLength, n);
    if (bytes.back() != Sum(data))
        return TxtDevicesInvalidFile;
    *image = data;
    return 0;
}
