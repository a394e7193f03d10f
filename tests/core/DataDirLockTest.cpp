// One station per data directory: the second holder is refused, a crashed one's lock is taken over.
#include "core/DataDirLock.h"

#include <QCoreApplication>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

TEST(DataDirLock, SecondHolderIsRefusedUntilTheFirstLetsGo)
{
    QTemporaryDir dir;
    auto first = std::make_unique<TDataDirLock>(dir.path());
    ASSERT_TRUE(first->TryLock());
    TDataDirLock second(dir.path());
    EXPECT_FALSE(second.TryLock());
    EXPECT_TRUE(second.Holder().contains(QString::number(QCoreApplication::applicationPid())));
    first.reset();
    EXPECT_TRUE(second.TryLock());
}

TEST(DataDirLock, LockOfAProcessThatIsGoneIsTakenOver)
{
    QTemporaryDir dir;
    QFile stale(dir.filePath(TDataDirLock::LockFileName()));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    // The lock file's own layout: process id, application name, host name.
    stale.write(QByteArray::number(0x3FFFFFF) + "\ncallstation\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    TDataDirLock lock(dir.path());
    EXPECT_TRUE(lock.TryLock());
}
