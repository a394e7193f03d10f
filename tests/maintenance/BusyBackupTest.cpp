// A backup taken while another connection logs calls restores to a whole call
// log: a prefix of what was written, nothing torn.
#include "MaintenanceFixture.h"

#include "maintenance/BackupFile.h"
#include "maintenance/BackupItems.h"
#include "maintenance/Restore.h"

#include <QSqlQuery>
#include <QThread>
#include <atomic>
#include <thread>

TEST(BusyBackup, ASnapshotOfACallLogBeingWrittenRestoresWhole)
{
    QTemporaryDir tmp;
    const QString data = tmp.filePath("Data");
    // A log of some size, so that reading it takes long enough for calls to come in meanwhile.
    constexpr int Earlier = 20000;
    std::atomic<bool> stop{false};
    std::atomic<int> committed{0};
    std::thread logger([&] {
        TDM_Sys store;
        TQuery q(store);
        const auto log = [&](int i) {
            q.SetSQL("insert into CallInfo values('2024-05-01', '12:00:00', 'Hall', 'T1', 'BUTTON1', 'Anna', "
                     "'12:00:30', 'Anna', 30, 1, ?)");
            q.Bind(QString::number(i));
            return q.ExecSQL();
        };
        int i = 0;
        const bool filled = store.Open(data) && store.InTransaction([&] {
            for (; i < Earlier; ++i)
                if (!log(i))
                    return false;
            return true;
        });
        for (; filled && !stop && log(i); ++i) {
            committed = i + 1;
            QThread::usleep(200);  // a busy station still leaves gaps between its calls
        }
        committed = -1;
    });
    while (committed >= 0 && committed < Earlier + 20)
        QThread::msleep(5);

    for (int round = 0; round < 2 && committed > 0; ++round) {
        const int before = committed;
        const QString file = tmp.filePath(QStringLiteral("busy-%1.dat").arg(round));
        QString why;
        EXPECT_TRUE(WriteBackup(data, file, 1u << ItemHistory, round == 1, &why)) << why.toStdString();
        const int after = committed;

        const QString restored = tmp.filePath(QStringLiteral("restored-%1").arg(round));
        TBackupFile backup;
        EXPECT_EQ(backup.Open(file), TBackupOpen::Ok);
        EXPECT_TRUE(RestoreItems(backup, 1u << ItemHistory, {restored, nullptr, {}, {}}, &why)) << why.toStdString();
        TDM_Sys store;
        EXPECT_TRUE(store.Open(restored));
        QSqlQuery check(store.Database());
        EXPECT_TRUE(check.exec("pragma CallInfo.integrity_check") && check.next());
        EXPECT_EQ(check.value(0).toString(), "ok");
        const QStringList rows = Rows(store, "CallInfo");
        EXPECT_GE(rows.size(), before);
        EXPECT_LE(rows.size(), after + 1);
        for (int i = 0; i < rows.size(); ++i)
            if (!rows[i].endsWith("|" + QString::number(i)))
                ADD_FAILURE() << "row " << i << ": " << rows[i].toStdString();
    }
    EXPECT_GT(committed, 0) << "the logger stopped";
    stop = true;
    logger.join();
}
