// Any bytes as a device memory file: the import never reads past the file,
// and an image it accepts gives back exactly the file it came from.
#include "devices/MemoryFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.mem"));
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            std::abort();
    }
    QByteArray image;
    if (ImportMemoryFile(path, &image) == 0 && MemoryFileBytes(image) != bytes)
        std::abort();
    return 0;
}
