#pragma once
// One station per data directory: a lock file beside the tables, held for as
// long as the station runs. The command-line tools that must not run beside a
// station (restore) take the same lock. A lock left by a station that crashed
// (its process gone) is taken over.
#include <QLockFile>
#include <QString>

class TDataDirLock {
public:
    explicit TDataDirLock(const QString& dataDir);

    // False when a running process holds the directory.
    bool TryLock();
    // Who holds it, for the refusal: "process 1234 on host".
    QString Holder() const;

    static QString LockFileName() { return QStringLiteral("callstation.lock"); }

private:
    QLockFile lock_;
};
