#include "core/DataDirLock.h"

TDataDirLock::TDataDirLock(const QString& dataDir) : lock_(dataDir + QLatin1Char('/') + LockFileName())
{
    // A station runs for days: its lock never turns stale by age, only when its process is gone.
    lock_.setStaleLockTime(0);
}

bool TDataDirLock::TryLock() { return lock_.tryLock(0); }

QString TDataDirLock::Holder() const
{
    qint64 pid = 0;
    QString host, app;
    if (!lock_.getLockInfo(&pid, &host, &app))
        return QStringLiteral("another process");
    return QStringLiteral("process %1 on %2").arg(pid).arg(host.isEmpty() ? QStringLiteral("this computer") : host);
}
