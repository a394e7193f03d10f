#include "maintenance/FileAttributes.h"

#include "core/DataStore.h"
#include "core/Failure.h"
#include "core/ResStrings.h"
#include "maintenance/MaintenanceTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#endif

QString AttributesModel(const QString& dataDir, const QString& fileName)
{
    const QDir dir(dataDir);
    if (dir.exists(fileName))
        return dir.filePath(fileName);
    for (const QString& table : TDM_Sys::TableNames()) {
        const QString file = table + QStringLiteral(".db");
        if (dir.exists(file))
            return dir.filePath(file);
    }
    return dir.absolutePath();
}

bool TakeAttributes(const QString& model, const QString& path, QString* why)
{
    const auto fail = [&](const QString& reason) {
        return Fail(why, LoadResStr(TxtMaintenanceCannotKeepOwner).arg(QDir::toNativeSeparators(path), reason));
    };
#ifdef Q_OS_UNIX
    struct stat from {};
    struct stat to {};
    if (::stat(QFile::encodeName(model).constData(), &from) != 0
        || ::stat(QFile::encodeName(path).constData(), &to) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    const mode_t mode = S_ISDIR(from.st_mode) ? (from.st_mode & 0666) : (from.st_mode & 07777);
    // The owner first: a change of owner may clear the set-id bits that the mode then sets.
    if ((from.st_uid != to.st_uid || from.st_gid != to.st_gid)
        && ::chown(QFile::encodeName(path).constData(), from.st_uid, from.st_gid) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (::chmod(QFile::encodeName(path).constData(), mode) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    return true;
#else
    // Elsewhere a new file takes its owner and access from the directory; only the flags are kept.
    const QFileInfo info(model);
    if (info.isDir() || QFile::setPermissions(path, info.permissions()))
        return true;
    return fail(QStringLiteral("cannot set the permissions"));
#endif
}
