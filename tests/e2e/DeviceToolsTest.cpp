// The led, memory and bind commands against emulated devices on
// pseudo-terminals: what the devices received and keep is compared with what
// was sent, and a silent device gives the time-out text.
#include "ProcessLines.h"
#include "SimProcess.h"

#include "core/ResStrings.h"
#include "devices/MemoryFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kBin = QStringLiteral(STATION_BINARY_DIR);

// One emulated device on its own pseudo-terminal, with a data directory whose Config.ini names it.
class Device {
public:
    Device(const QString& dataDir, const QStringList& options) : dataDir_(dataDir)
    {
        QString pty;
        if (!sim_.Start(&pty, options))
            return;
        QFile config(dataDir + "/Config.ini");
        if (config.open(QIODevice::WriteOnly))
            ready_ = config.write("[Com]\r\nPortName=" + pty.toLocal8Bit() + "\r\n") > 0;
    }
    bool Ready() const { return ready_; }
    // Ends the device (it saves its memory when told to); its exit status.
    int Finish()
    {
        sim_.Process().closeWriteChannel();
        return sim_.Process().waitForFinished(10000) ? sim_.Process().exitCode() : -1;
    }
    ProcessLines& Out() { return sim_.Out(); }

    struct Result {
        int exitCode = -1;
        QString out, err;
        qint64 ms = 0;
    };
    // callstation --data-dir DIR ARGS..., to its end.
    Result Run(const QStringList& args) const
    {
        QProcess tool;
        QElapsedTimer timer;
        timer.start();
        tool.start(kBin + "/callstation", QStringList{"--data-dir", dataDir_} + args);
        Result r;
        if (!tool.waitForFinished(30000))
            return r;
        r.ms = timer.elapsed();
        r.exitCode = tool.exitCode();
        r.out = QString::fromUtf8(tool.readAllStandardOutput());
        r.err = QString::fromUtf8(tool.readAllStandardError());
        return r;
    }

private:
    QString dataDir_;
    SimProcess sim_;
    bool ready_ = false;
};

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(DeviceTools, UploadsThreeMessagesToTheDisplay)
{
    QTemporaryDir dir;
    Device display(dir.path(), {"--led"});
    ASSERT_TRUE(display.Ready());
    QFile list(dir.filePath("led.ini"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("[Message_1]\r\nText=Welcome\r\nDataMode=0\r\nColor=0\r\n[Message_2]\r\nText=Table 5\r\n"
               "DisplayMode=3\r\nStopTime=9\r\n[Message_3]\r\nText=Bye\r\nColor=2\r\n");
    list.close();

    const Device::Result r = display.Run({"led", "upload", "--address", "7", "--file", list.fileName()});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.count("\n"), 4) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("正在更新第 3 条信息：Bye")));
    EXPECT_EQ(display.Finish(), 0) << display.Out().All().join('\n').toStdString();
    const QStringList lines = display.Out().All().filter("LED");
    EXPECT_EQ(lines, QStringList({"LED MSG address=7 slot=0 mode=0 interval=1 stop=1 color=0 data=0 text=57656C636F6D65",
                                  "LED MSG address=7 slot=1 mode=3 interval=1 stop=9 color=1 data=1 text=5461626C652035",
                                  "LED MSG address=7 slot=2 mode=0 interval=1 stop=1 color=2 data=1 text=427965",
                                  "LED END address=7 count=3"}));
}

TEST(DeviceTools, CopiesConfigurationMemoryBetweenDevices)
{
    QTemporaryDir dirA, dirB, dirC, files;
    Device a(dirA.path(), {"--memory", "4096", "--seed", "1", "--save-memory", files.filePath("a.raw")});
    Device b(dirB.path(), {"--memory", "4096", "--seed", "2", "--save-memory", files.filePath("b.raw")});
    Device c(dirC.path(), {"--memory", "100", "--seed", "3", "--save-memory", files.filePath("c.raw")});
    ASSERT_TRUE(a.Ready() && b.Ready() && c.Ready());

    const QString big = files.filePath("a.mem"), small = files.filePath("c.mem");
    for (const auto& [device, file, size] : {std::tuple{&a, big, 4096}, std::tuple{&c, small, 100}}) {
        const Device::Result r = device->Run({"memory", "read", file, "--address", "1"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(QStringLiteral("配置区大小：%1字节").arg(size)));
    }
    // Into the second device: first the whole 4 KiB image, then the 100-byte one over its start.
    for (const auto& [file, size] : {std::pair{big, 4096}, std::pair{small, 100}}) {
        const Device::Result r = b.Run({"memory", "write", file});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.out.trimmed(), LoadResStr(3021).arg(0).arg(size));
    }
    EXPECT_EQ(a.Finish(), 0);
    EXPECT_EQ(b.Finish(), 0);
    EXPECT_EQ(c.Finish(), 0);
    EXPECT_EQ(b.Out().Count("MEM WRITE"), 128 + 4);

    const QByteArray imageA = ReadAll(files.filePath("a.raw"));
    const QByteArray imageC = ReadAll(files.filePath("c.raw"));
    ASSERT_EQ(imageA.size(), 4096);
    ASSERT_EQ(imageC.size(), 100);
    EXPECT_EQ(ReadAll(big), MemoryFileBytes(imageA));
    EXPECT_EQ(ReadAll(small), MemoryFileBytes(imageC));
    // The last block of the small image carries erased bytes past its end.
    EXPECT_EQ(ReadAll(files.filePath("b.raw")), imageC + QByteArray(28, '\xFF') + imageA.mid(128));
}

TEST(DeviceTools, SilenceAndBadArgumentsAndRefusedFiles)
{
    QTemporaryDir dir;
    Device silent(dir.path(), {});
    ASSERT_TRUE(silent.Ready());
    const Device::Result timedOut = silent.Run({"memory", "read", dir.filePath("x.mem")});
    EXPECT_EQ(timedOut.exitCode, 1);
    EXPECT_EQ(timedOut.err.trimmed(), QStringLiteral("通讯超时！"));
    EXPECT_GE(timedOut.ms, 3000);
    EXPECT_LT(timedOut.ms, 5000);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.mem")));
    // A file that cannot be written is found before the device is asked anything.
    const Device::Result unwritable = silent.Run({"memory", "read", dir.filePath("no-such-dir/x.mem")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_EQ(unwritable.err.trimmed(), LoadResStr(2029));

    QFile bad(dir.filePath("bad.mem"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("QORADMEM\x01\x00\x00\x00\x05\x06", 14);
    bad.close();
    const Device::Result refused = silent.Run({"memory", "write", bad.fileName()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err.trimmed(), QStringLiteral("无效数据文件！"));

    for (const QStringList& args : {QStringList{"led", "upload", "--address", "100"},
                                    QStringList{"memory", "read", "f", "--address", "256"},
                                    QStringList{"bind", "key", "--key", "5"}, QStringList{"bind", "button", "--tone", "0"},
                                    QStringList{"bind", "button", "--button", "12a"},
                                    QStringList{"bind", "key", "--text", QStringLiteral("中文字母")}, QStringList{"led", "flash"}})
        EXPECT_EQ(silent.Run(args).exitCode, 2) << args.join(' ').toStdString();
    // Nothing was sent for any of them: the device saw no frame but the size query of the read.
    EXPECT_EQ(silent.Finish(), 1);
    EXPECT_EQ(silent.Out().Count("UNEXPECTED"), 1) << silent.Out().All().join('\n').toStdString();
}

TEST(DeviceTools, AReplyForAnotherBlockIsIgnored)
{
    QTemporaryDir dir;
    Device device(dir.path(), {"--memory", "64", "--misaddress", "1"});
    ASSERT_TRUE(device.Ready());
    const Device::Result r = device.Run({"memory", "read", dir.filePath("x.mem")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed(), QStringLiteral("通讯超时！"));
    EXPECT_EQ(device.Finish(), 0);
    EXPECT_EQ(device.Out().All().filter("MEM"), QStringList({"MEM SIZE address=0 size=64", "MEM READ 00000000"}));
}

TEST(DeviceTools, APortTheStationHoldsIsNamedBusy)
{
    QTemporaryDir dir;
    Device display(dir.path(), {"--led"});
    ASSERT_TRUE(display.Ready());
    QProcess station;
    ProcessLines log(station);
    station.start(kBin + "/callstation", {"--headless", "--data-dir", dir.path()});
    ASSERT_TRUE(log.WaitFor("running", 10000)) << log.All().join('\n').toStdString();

    const Device::Result r = display.Run({"led", "clock"});
    station.terminate();
    station.waitForFinished(10000);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("正被占用"))) << r.err.toStdString();
    EXPECT_EQ(display.Finish(), 0);
    EXPECT_TRUE(display.Out().All().filter("LED").isEmpty());
}
