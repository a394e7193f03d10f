#pragma once
// A QSaveFile that refuses a name leading to anything but a regular file.
// QSaveFile writes a temporary file and renames it over the name's target, so a
// name that leads to a device (an export linked to /dev/full) or a pipe would
// have that node replaced by a plain file instead of being written to.
#include <QSaveFile>

class TSaveFile : public QSaveFile {
public:
    using QSaveFile::QSaveFile;
    bool open(OpenMode mode) override;
};
