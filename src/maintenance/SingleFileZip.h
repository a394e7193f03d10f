#pragma once
// A compressed block of a backup: a zip archive holding one data file under its name.
#include <QString>
#include <functional>

class QFileDevice;

// Writes archive (replacing it) holding the file source as nameInArchive. going is told
// how far the writing is (0 to 1) as it goes on; when it answers false the writing stops
// and fails.
bool ZipOneFile(const QString& source, const QString& nameInArchive, const QString& archive, QString* why,
                const std::function<bool(double done)>& going = {});

// Reads the archive stored in length bytes at offset of the file path and writes the
// content of its entry name (matched ignoring letter case) to out. False with the
// reason when the archive is damaged, lacks the entry or its content fails its check.
bool UnzipOneFile(const QString& path, qint64 offset, qint64 length, const QString& name, QFileDevice& out,
                  QString* why);
