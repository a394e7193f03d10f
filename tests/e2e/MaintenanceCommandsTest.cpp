// callstation backup / restore / cleanup as a nightly job runs them: exit
// status, the window's texts on standard output or error, and the refusal to
// restore under a running station.
#include "CommandRun.h"

#include "core/DataDirLock.h"
#include "core/DataStore.h"
#include "core/ResStrings.h"
#include "maintenance/Cleanup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

int Calls(const QString& dataDir)
{
    TDM_Sys store;
    EXPECT_TRUE(store.Open(dataDir));
    return CountCallsThrough(store, QDate(9999, 12, 31));
}

TEST(MaintenanceCommands, ExitStatusAndTextsOfEachOutcome)
{
    QTemporaryDir tmp;
    const QString data = tmp.filePath("Data");
    {
        TDM_Sys store;
        ASSERT_TRUE(store.Open(data));
        TQuery q(store);
        for (const char* day : {"2024-01-01", "2024-01-02"}) {
            q.SetSQL("insert into CallInfo (CallDate, CallTime) values(?, '12:00:00')");
            q.Bind(QString(day));
            ASSERT_TRUE(q.ExecSQL());
        }
    }
    const QString file = tmp.filePath("nightly.dat");
    const QString notBackup = tmp.filePath("not-a-backup.dat");
    QFile(notBackup).open(QIODevice::WriteOnly);

    const struct {
        QStringList args;
        int exit;
        int text;      // completion text on stdout (exit 0) or the start of stderr (exit 1); 0: none checked
    } steps[] = {
        {{"backup", file, "--items", "1,4", "--compress"}, 0, 1607},
        {{"backup"}, 2, 0},
        {{"backup", file, "--items", "5"}, 2, 0},
        {{"backup", tmp.filePath("no-such-dir/x.dat")}, 1, 1605},
        {{"cleanup", "--through", "2024-13-01"}, 2, 0},
        {{"cleanup", "--through", "2024-01-01"}, 0, 1618},
        {{"restore", file, "--items", "0"}, 2, 0},
        {{"restore", notBackup}, 1, 1611},
        {{"restore", file}, 0, 1615},
    };
    for (const auto& s : steps) {
        const TCommandRun run = RunCallstation(data, s.args);
        const std::string what = s.args.join(' ').toStdString();
        EXPECT_EQ(run.status, s.exit) << what << "\n" << run.err.toStdString();
        if (s.exit == 0) {
            EXPECT_EQ(run.out.section('\n', 0, 0), LoadResStr(s.text)) << what;
        } else if (s.text) {
            EXPECT_TRUE(run.err.startsWith(LoadResStr(s.text))) << what << "\n" << run.err.toStdString();
        }
        if (s.args.startsWith("cleanup") && s.exit == 0) {
            EXPECT_EQ(Calls(data), 1);
            EXPECT_EQ(run.out, LoadResStr(1618) + "\n" + LoadResStr(3020).arg(1) + "\n");  // says how many went
        }
    }
    EXPECT_EQ(Calls(data), 2);  // the backup was taken before the cleanup

    TDataDirLock station(data);
    ASSERT_TRUE(station.TryLock());
    const TCommandRun refused = RunCallstation(data, {"restore", file});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.startsWith(LoadResStr(3206).section("（", 0, 0))) << refused.err.toStdString();

    // A data directory without a call log keeps having none.
    ASSERT_TRUE(QDir(tmp.path()).mkdir("empty"));
    const TCommandRun noLog = RunCallstation(tmp.filePath("empty"), {"cleanup", "--through", "2024-01-01"});
    EXPECT_EQ(noLog.status, 1);
    EXPECT_EQ(QDir(tmp.filePath("empty")).entryList(QDir::Files), QStringList());
}

}  // namespace
