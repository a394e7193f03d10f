// How the station process ends: a termination signal closes the windowed
// station without any question, and a second station on the same data
// directory is refused while the first runs.
#include "SimProcess.h"

#include "core/DataStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace {

const QString kBin = QStringLiteral(STATION_BINARY_DIR);

// A private X server for the windowed station; it picks a free display itself.
class VirtualScreen {
public:
    bool Start()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return false;
        x_.start(xvfb, {"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
        if (!x_.waitForStarted(5000) || !x_.waitForReadyRead(10000))
            return false;
        display_ = QStringLiteral(":") + QString::fromLatin1(x_.readLine()).trimmed();
        return display_.size() > 1;
    }
    ~VirtualScreen()
    {
        x_.terminate();
        x_.waitForFinished(3000);
    }
    QString Display() const { return display_; }

private:
    QProcess x_;
    QString display_;
};

void WriteConfig(const QString& dir, const QString& port)
{
    QFile f(dir + "/Config.ini");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Com]\r\nPortName=" + port.toLocal8Bit() + "\r\n[Sys]\r\nTrayIcon=1\r\n");
}

int LoggedCalls(const QString& dir, int state)
{
    TDM_Sys store;
    if (!store.Open(dir))
        return -1;
    store.DQ_Set.SetSQL("select count(*) as n from CallInfo where ServerState = ?");
    store.DQ_Set.Bind(state);
    return store.DQ_Set.Open() ? store.DQ_Set.FieldAsInteger("n") : -1;
}

// Every file of the directory with its size and modification time.
QStringList Snapshot(const QString& dir)
{
    QStringList files;
    for (const QFileInfo& f : QDir(dir).entryInfoList(QDir::Files, QDir::Name))
        files << QStringLiteral("%1 %2 %3").arg(f.fileName()).arg(f.size()).arg(f.lastModified().toMSecsSinceEpoch());
    return files;
}

}  // namespace

TEST(Shutdown, TerminationSignalClosesTheWindowedStationWithoutAQuestion)
{
    VirtualScreen screen;
    if (!screen.Start())
        GTEST_SKIP() << "no Xvfb to give the station a screen";
    QTemporaryDir data;
    SimProcess sim;
    QString pty;
    ASSERT_TRUE(sim.Start(&pty));
    // With the tray icon set on a desktop without a tray, closing would ask whether to exit.
    WriteConfig(data.path(), pty);

    QProcess station;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.insert("DISPLAY", screen.Display());
    station.setProcessEnvironment(env);
    station.start(kBin + "/callstation", {"--data-dir", data.path()});
    ASSERT_TRUE(station.waitForStarted(5000));

    // A live call, acknowledged, so there is something to log at the close.
    for (int i = 0; i < 50 && sim.Out().Count("ACK OK") == 0; ++i) {
        sim.Send("call 0001 11 10:00:00");
        sim.Out().WaitFor("ACK", 200);
    }
    ASSERT_GT(sim.Out().Count("ACK OK"), 0) << "the windowed station never acknowledged a call";

    QElapsedTimer closing;
    closing.start();
    ::kill(static_cast<pid_t>(station.processId()), SIGTERM);
    ASSERT_TRUE(station.waitForFinished(5000)) << "the station hung after SIGTERM";
    EXPECT_LT(closing.elapsed(), 2000);
    EXPECT_EQ(station.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(station.exitCode(), 0);
    EXPECT_GE(LoggedCalls(data.path(), 1), 1) << "the live calls were not logged as not served";
    // It says what its line brought, as the console does.
    const QString said = QString::fromUtf8(station.readAllStandardError());
    EXPECT_TRUE(said.contains(QRegularExpression(QStringLiteral("link counters: received=[1-9][0-9]* .* acks=[1-9]"))))
        << said.toStdString();
}

TEST(Shutdown, SecondStationOnADataDirectoryIsRefusedAndACrashedOnesLockTakenOver)
{
    QTemporaryDir data;
    WriteConfig(data.path(), data.filePath("no-such-port"));
    QProcess first;
    ProcessLines firstLog(first);
    first.start(kBin + "/callstation", {"--headless", "--data-dir", data.path()});
    ASSERT_TRUE(firstLog.WaitFor("running", 10000)) << firstLog.All().join('\n').toStdString();

    const QStringList before = Snapshot(data.path());
    QProcess second;
    second.start(kBin + "/callstation", {"--headless", "--data-dir", data.path()});
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(QString::fromLocal8Bit(second.readAllStandardError()).contains("already running"));
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());  // no port status: the port was never opened
    EXPECT_EQ(Snapshot(data.path()), before);

    first.kill();  // a crash leaves its lock behind
    first.waitForFinished(3000);
    QProcess third;
    ProcessLines thirdLog(third);
    third.start(kBin + "/callstation", {"--headless", "--data-dir", data.path()});
    EXPECT_TRUE(thirdLog.WaitFor("running", 10000)) << thirdLog.All().join('\n').toStdString();
    third.terminate();
    EXPECT_TRUE(third.waitForFinished(5000));
    EXPECT_EQ(third.exitCode(), 0);
}
