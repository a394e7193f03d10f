#include "core/SaveFile.h"

#include <QFileInfo>

bool TSaveFile::open(OpenMode mode)
{
    // QFileInfo follows links: exists() and isFile() speak of the final target.
    const QFileInfo target(fileName());
    if (target.exists() && !target.isFile()) {
        setErrorString(QStringLiteral("not a regular file"));
        return false;
    }
    return QSaveFile::open(mode);
}
