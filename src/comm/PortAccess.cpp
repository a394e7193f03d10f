#include "comm/PortAccess.h"

#include "core/ResStrings.h"

#ifndef Q_OS_WIN
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr int BusyText = 3302;           // "串口 %1 正被占用（呼叫服务站是否正在运行？）：%2"
constexpr int NotInGroupText = 3305;     // "无权使用串口 %1：当前用户须属于设备所属的组 %2 ..."
constexpr int NotAllowedText = 3306;     // "无权使用串口 %1：%2"

}  // namespace

QString PortAccessProblem(const QString& device, QSerialPort::SerialPortError error, const QString& errorText)
{
    if (error != QSerialPort::PermissionError)
        return QString();
#ifdef Q_OS_WIN
    // Windows answers "access denied" for a port that another program has open.
    return LoadResStr(BusyText).arg(device, errorText);
#else
    // Qt reports a lock held by another program, a device opened exclusively
    // and a refused permission alike; only the last one fails this check.
    const QByteArray path = QFile::encodeName(device);
    if (faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) == 0 || errno != EACCES)
        return LoadResStr(BusyText).arg(device, errorText);
    struct stat st {};
    const group* owner = stat(path.constData(), &st) == 0 ? getgrgid(st.st_gid) : nullptr;
    const bool groupMayUse = (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    if (owner && groupMayUse)
        return LoadResStr(NotInGroupText).arg(device, QString::fromLocal8Bit(owner->gr_name));
    return LoadResStr(NotAllowedText).arg(device, errorText);
#endif
}
