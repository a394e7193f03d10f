// A backup taken while another connection logs calls as fast as it can
// restores to a whole call log: a prefix of what was written, nothing torn.
#include "MaintenanceFixture.h"

#include "maintenance/BackupFile.h"
#include "maintenance/BackupItems.h"
#include "maintenance/Restore.h"

#include <QDeadlineTimer>
#include <QSqlQuery>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

TEST(BusyBackup, ASnapshotOfACallLogBeingWrittenRestoresWhole)
{
    QTemporaryDir tmp;
    const QString data = tmp.filePath("Data");
    {
        TDM_Sys store;
        ASSERT_TRUE(store.Open(data));
    }
    std::atomic<bool> stop{false};
    std::atomic<int> committed{0};
    // A log of some size first, so that reading it takes long enough for calls to come in meanwhile.
    constexpr int Earlier = 20000;
    std::thread logger([&] {
        TDM_Sys store;
        if (!store.Open(data))
            return;
        TQuery q(store);
        const auto log = [&](int i) {
            q.SetSQL("insert into CallInfo values('2024-05-01', '12:00:00', 'Hall', 'T1', 'BUTTON1', 'Anna', "
                     "'12:00:30', 'Anna', 30, 1, ?)");
            q.Bind(QString::number(i));
            return q.ExecSQL();
        };
        if (!store.InTransaction([&] {
                for (int i = 0; i < Earlier; ++i)
                    if (!log(i))
                        return false;
                return true;
            }))
            return;
        for (int i = Earlier; !stop && log(i); ++i) {
            committed = i + 1;
            QThread::usleep(200);  // a busy station still leaves gaps between its calls
        }
    });
    // However the test ends, the logger stops first.
    const std::unique_ptr<void, std::function<void(void*)>> joined(&logger, [&](void*) {
        stop = true;
        logger.join();
    });
    for (QDeadlineTimer deadline(60000); committed < Earlier + 20; QThread::msleep(5))
        ASSERT_FALSE(deadline.hasExpired()) << "the logger did not start";

    for (int round = 0; round < 2; ++round) {
        const int before = committed;
        const QString file = tmp.filePath(QStringLiteral("busy-%1.dat").arg(round));
        QString why;
        ASSERT_TRUE(WriteBackup(data, file, 1u << ItemHistory, round % 2 == 1, &why)) << why.toStdString();
        const int after = committed;

        const QString restored = tmp.filePath(QStringLiteral("restored-%1").arg(round));
        TBackupFile backup;
        ASSERT_EQ(backup.Open(file), TBackupOpen::Ok);
        ASSERT_TRUE(RestoreItems(backup, 1u << ItemHistory, {restored, nullptr, {}, {}}, &why)) << why.toStdString();
        TDM_Sys store;
        ASSERT_TRUE(store.Open(restored));
        QSqlQuery check(store.Database());
        ASSERT_TRUE(check.exec("pragma CallInfo.integrity_check") && check.next());
        EXPECT_EQ(check.value(0).toString(), "ok");
        const QStringList rows = Rows(store, "CallInfo");
        EXPECT_GE(rows.size(), before);
        EXPECT_LE(rows.size(), after + 1);
        for (int i = 0; i < rows.size(); ++i)
            ASSERT_TRUE(rows[i].endsWith("|" + QString::number(i))) << rows[i].toStdString();
    }
}
