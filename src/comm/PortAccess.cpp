#include "comm/PortAccess.h"

#include "comm/CommTexts.h"
#include "core/ResStrings.h"

#ifndef Q_OS_WIN
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

QString PortAccessProblem(const QString& device, QSerialPort::SerialPortError error, const QString& errorText)
{
    if (error != QSerialPort::PermissionError)
        return QString();
#ifdef Q_OS_WIN
    // Windows answers "access denied" for a port that another program has open.
    return LoadResStr(TxtCommPortBusy).arg(device, errorText);
#else
    // Qt reports a lock held by another program, a device opened exclusively
    // and a refused permission alike; only the last one fails this check.
    const QByteArray path = QFile::encodeName(device);
    if (faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) == 0 || errno != EACCES)
        return LoadResStr(TxtCommPortBusy).arg(device, errorText);
    struct stat st {};
    const group* owner = stat(path.constData(), &st) == 0 ? getgrgid(st.st_gid) : nullptr;
    const bool groupMayUse = (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    if (owner && groupMayUse)
        return LoadResStr(TxtCommNotInGroup).arg(device, QString::fromLocal8Bit(owner->gr_name));
    return LoadResStr(TxtCommNotAllowed).arg(device, errorText);
#endif
}
