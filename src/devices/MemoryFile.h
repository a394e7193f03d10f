#pragma once
// The device memory file: "QORADMEM", the image size N (4 bytes,
// little-endian), the N image bytes and their sum modulo 256; N + 13 bytes.
#include <QByteArray>
#include <QString>

constexpr qint64 MaxMemoryFileSize = 1 << 20;

// The whole file for an image.
QByteArray MemoryFileBytes(const QByteArray& image);

// Writes the file in one step (an old file stays whole when writing fails); false on failure.
bool ExportMemoryFile(const QString& path, const QByteArray& image);

// Reads a file, checking in order: it opens (else 1610), it is at most 1 MiB (2026), all of it
// can be read (2027), it begins with the magic and holds at least 13 bytes (2026), its length
// fits its N (2026), its last byte is the sum (2026). Returns 0 and the image, or the number of
// the text that says why it was refused.
int ImportMemoryFile(const QString& path, QByteArray* image);
