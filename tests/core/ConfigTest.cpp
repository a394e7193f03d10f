#include "core/Config.h"

#include "core/GbkCodec.h"
#include "core/IniFile.h"
#include "core/ResStrings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ConfigFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Path() const { return dir_.filePath(QStringLiteral("Config.ini")); }

    void Write(const QByteArray& bytes) const
    {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray Bytes() const
    {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TConfig Read(const QByteArray& bytes)
    {
        Write(bytes);
        return Read();
    }

    TConfig Read()
    {
        TConfig cfg;
        ReadConfig(Path(), cfg, texts_);
        return cfg;
    }

    QTemporaryDir dir_;
    TStateTexts texts_;
};

TConfig DefaultConfig()
{
    TConfig cfg;
    cfg.Title = LoadResStr(200);
    return cfg;
}

// A record in which every field differs from its default.
TConfig ChangedConfig()
{
    TConfig cfg;
    cfg.Port = 12;
    cfg.Baud = 19200;
    cfg.DataBits = 7;
    cfg.StopBits = 2;
    cfg.Parity = 0;
    cfg.Flux = 1;
    cfg.Title = QStringLiteral("川菜馆 呼叫");
    cfg.ViewRecords = 250;
    cfg.NormalBkColor = 0x00F6F6F6;
    cfg.NormalTxtColor = 0x00102030;
    cfg.SuccessBkColor = 0x00F0CAA6;
    cfg.SuccessTxtColor = 0x00FFFFFF;
    cfg.PreWarn1Time = 45;
    cfg.PreWarn2Time = 90;
    cfg.PreWarn3Time = 65535;
    cfg.PreWarn1BkColor = 1;
    cfg.PreWarn2BkColor = 2;
    cfg.PreWarn3BkColor = 3;
    cfg.PreWarn1TxtColor = 4;
    cfg.PreWarn2TxtColor = 5;
    cfg.PreWarn3TxtColor = 6;
    cfg.PreWarnWav1 = QStringLiteral("/home/hall/提醒.wav");
    cfg.PreWarnWavePlayMode1 = 2;
    cfg.PreWarnWav2 = QStringLiteral("C:\\Sounds\\alarm.wav");
    cfg.PreWarnWavePlayMode2 = 0;
    cfg.ServerType1 = QStringLiteral("加水");
    cfg.ServerType2 = QStringLiteral("点菜");
    cfg.ServerType3 = QStringLiteral("结账");
    cfg.AutoRun = true;
    cfg.TopMost = true;
    cfg.TrayIcon = true;
    cfg.PopupWin = true;
    cfg.ServiceTimeOutKeepOnTime = true;
    cfg.PortName = QStringLiteral("/dev/ttyUSB0");
    return cfg;
}

}  // namespace

TEST_F(ConfigFile, MissingFileGivesTheDefaults)
{
    EXPECT_EQ(Read(), DefaultConfig());
    EXPECT_EQ(Read().Title, QStringLiteral("Velkaro无线呼叫系统"));
    EXPECT_EQ(texts_.NormalSvrText, QStringLiteral("未应答"));
    EXPECT_EQ(texts_.SuccessSvrText, QStringLiteral("已应答"));
    EXPECT_EQ(texts_.PreWarn1SvrText, QStringLiteral("服务预警1"));
    EXPECT_EQ(texts_.PreWarn2SvrText, QStringLiteral("服务预警2"));
    EXPECT_EQ(texts_.PreWarn3SvrText, QStringLiteral("服务超时"));
    EXPECT_FALSE(QFile::exists(Path()));  // only a save creates the file
}

TEST_F(ConfigFile, ReadingStartsAgainFromTheDefaults)
{
    TConfig cfg = ChangedConfig();
    ReadConfig(Path(), cfg, texts_);
    EXPECT_EQ(cfg, DefaultConfig());
}

TEST_F(ConfigFile, ReadsDecimalAndHexadecimalIntegers)
{
    const TConfig cfg = Read("[Face]\r\nPreWarn1BkColor=0xFF\r\nNormalBkColor=$00ff00\r\nPreWarn1Time=0X1E\r\n"
                             "PreWarn2Time= 75 \r\nNormalTxtColor=0xFFFFFFFF\r\n[Com]\r\nPort=$0C\r\nBaud=19200\r\n");
    EXPECT_EQ(cfg.PreWarn1BkColor, 0xFFu);
    EXPECT_EQ(cfg.NormalBkColor, 0x00FF00u);
    EXPECT_EQ(cfg.PreWarn1Time, 30);
    EXPECT_EQ(cfg.PreWarn2Time, 75);
    EXPECT_EQ(cfg.NormalTxtColor, 0xFFFFFFFFu);
    EXPECT_EQ(cfg.Port, 12);
    EXPECT_EQ(cfg.Baud, 19200);
}

TEST_F(ConfigFile, ValueThatIsNoIntegerReadsAsTheDefault)
{
    const TConfig cfg = Read("[Face]\r\nPreWarn2Time=12abc\r\nViewRecords=\r\nPreWarn3BkColor=0x\r\n"
                             "PreWarn1TxtColor=$G1\r\n[Com]\r\nBaud=fast\r\nDataBits=99999999999\r\nPort=--1\r\n"
                             "[Sys]\r\nPopupWin=yes\r\n");
    EXPECT_EQ(cfg, DefaultConfig());
}

TEST_F(ConfigFile, IntegersAreCutToTheFieldWidth)
{
    const TConfig cfg = Read("[Com]\r\nPort=258\r\nFlux=-1\r\n[Face]\r\nPreWarn1Time=65537\r\n");
    EXPECT_EQ(cfg.Port, 2);
    EXPECT_EQ(cfg.Flux, 255);
    EXPECT_EQ(cfg.PreWarn1Time, 1);
}

TEST_F(ConfigFile, ViewRecordsIsForcedIntoTenToNineHundredNinetyNine)
{
    const std::pair<const char*, uint16_t> cases[] = {
        {"5", 10}, {"5000", 999}, {"-1", 999}, {"0", 10}, {"10", 10}, {"999", 999}, {"1000", 999}, {"65546", 10}};
    for (const auto& [value, expected] : cases) {
        const TConfig cfg = Read(QByteArray("[Face]\r\nViewRecords=") + value + "\r\n");
        EXPECT_EQ(cfg.ViewRecords, expected) << "ViewRecords=" << value;
    }
}

TEST_F(ConfigFile, PlayModeAboveTwoReadsAsPlayOnce)
{
    TConfig cfg = Read("[Sys]\r\nPreWarnWavePlayMode1=7\r\nPreWarnWavePlayMode2=3\r\n");
    EXPECT_EQ(cfg.PreWarnWavePlayMode1, 1);
    EXPECT_EQ(cfg.PreWarnWavePlayMode2, 1);
    cfg = Read("[Sys]\r\nPreWarnWavePlayMode1=0\r\nPreWarnWavePlayMode2=2\r\n");
    EXPECT_EQ(cfg.PreWarnWavePlayMode1, 0);
    EXPECT_EQ(cfg.PreWarnWavePlayMode2, 2);
}

TEST_F(ConfigFile, AnyNonZeroIntegerIsTrue)
{
    const TConfig cfg = Read("[Sys]\r\nAutoRun=1\r\nTopMost=-5\r\nTrayIcon=0\r\nPopupWin=$10\r\n"
                             "ServiceTimeOutKeepOnTime=2\r\n");
    EXPECT_TRUE(cfg.AutoRun);
    EXPECT_TRUE(cfg.TopMost);
    EXPECT_FALSE(cfg.TrayIcon);
    EXPECT_TRUE(cfg.PopupWin);
    EXPECT_TRUE(cfg.ServiceTimeOutKeepOnTime);
}

TEST_F(ConfigFile, TextsAreTakenAsTheyStand)
{
    const TConfig cfg = Read(ToGbk(QStringLiteral("[face]\r\ntitle=一号店\r\nServerType1=\r\n"
                                                  "[Com]\r\nPortName=/dev/pts/7\r\n")));
    EXPECT_EQ(cfg.Title, QStringLiteral("一号店"));
    EXPECT_EQ(cfg.ServerType1, QString());  // present but empty is not missing
    EXPECT_EQ(cfg.ServerType2, QStringLiteral("BUTTON2"));
    EXPECT_EQ(cfg.PortName, QStringLiteral("/dev/pts/7"));
}

TEST_F(ConfigFile, StateTextsAreReadButNeverWritten)
{
    const QByteArray file = ToGbk(QStringLiteral("[Face]\r\nNormalSvrText=等待中\r\nPreWarn3SvrText=太慢了\r\n"));
    Read(file);
    EXPECT_EQ(texts_.NormalSvrText, QStringLiteral("等待中"));
    EXPECT_EQ(texts_.PreWarn3SvrText, QStringLiteral("太慢了"));
    EXPECT_EQ(texts_.SuccessSvrText, QStringLiteral("已应答"));

    ASSERT_TRUE(SaveConfig(Path(), DefaultConfig()));
    const QByteArray saved = Bytes();
    EXPECT_TRUE(saved.startsWith(file));
    EXPECT_FALSE(saved.contains("SuccessSvrText"));
}

TEST_F(ConfigFile, SaveWritesANewFileInTheFixedOrder)
{
    TConfig cfg = DefaultConfig();
    cfg.Title = QStringLiteral("Hall");
    cfg.PortName = QStringLiteral("COM3");
    cfg.Port = 3;
    cfg.TrayIcon = true;
    QString error;
    ASSERT_TRUE(SaveConfig(Path(), cfg, &error)) << qPrintable(error);
    EXPECT_EQ(QString::fromLatin1(Bytes()),
              QStringLiteral("[Face]\r\nTitle=Hall\r\nViewRecords=100\r\n"
                             "PreWarn1BkColor=13548796\r\nPreWarn1TxtColor=16777215\r\nPreWarn1Time=30\r\n"
                             "PreWarn2BkColor=16760060\r\nPreWarn2TxtColor=16777215\r\nPreWarn2Time=60\r\n"
                             "PreWarn3BkColor=255\r\nPreWarn3TxtColor=16777215\r\nPreWarn3Time=120\r\n"
                             "NormalBkColor=16777215\r\nNormalTxtColor=0\r\nSuccessBkColor=32768\r\nSuccessTxtColor=0\r\n"
                             "ServerType1=BUTTON1\r\nServerType2=BUTTON2\r\nServerType3=BUTTON3\r\n"
                             "\r\n[Sys]\r\nAutoRun=0\r\nTopMost=0\r\nTrayIcon=1\r\nPopupWin=0\r\n"
                             "ServiceTimeOutKeepOnTime=0\r\nPreWarnWav1=\r\nPreWarnWav2=\r\n"
                             "PreWarnWavePlayMode1=1\r\nPreWarnWavePlayMode2=1\r\n"
                             "\r\n[Com]\r\nPort=3\r\nBaud=9600\r\nDataBits=8\r\nStopBits=0\r\nParity=2\r\nFlux=2\r\n"
                             "PortName=COM3\r\n"));
}

TEST_F(ConfigFile, SaveThenReadGivesTheSameRecord)
{
    const TConfig cfg = ChangedConfig();
    ASSERT_TRUE(SaveConfig(Path(), cfg));
    EXPECT_EQ(Read(), cfg);
    // Saving over the file again changes nothing.
    const QByteArray first = Bytes();
    ASSERT_TRUE(SaveConfig(Path(), cfg));
    EXPECT_EQ(Bytes(), first);
}

TEST_F(ConfigFile, ColourWithItsTopBitSetIsSavedSignedAndReadsBack)
{
    TConfig cfg = DefaultConfig();
    cfg.NormalBkColor = 0xFF00000Fu;
    cfg.PreWarn1BkColor = 0xF0FFFD9Cu;
    ASSERT_TRUE(SaveConfig(Path(), cfg));
    EXPECT_TRUE(Bytes().contains("\r\nNormalBkColor=-16777201\r\n"));
    EXPECT_EQ(Read(), cfg);
}

TEST_F(ConfigFile, ChineseTitleIsStoredAsGbk)
{
    TConfig cfg = DefaultConfig();
    cfg.Title = QStringLiteral("中文");
    ASSERT_TRUE(SaveConfig(Path(), cfg));
    const QByteArray bytes = Bytes();
    EXPECT_TRUE(bytes.startsWith("[Face]\r\nTitle=\xD6\xD0\xCE\xC4\r\n"));
    EXPECT_FALSE(bytes.contains(QStringLiteral("中文").toUtf8()));
    EXPECT_EQ(Read().Title, QStringLiteral("中文"));
}

TEST_F(ConfigFile, SaveClampsViewRecords)
{
    TConfig cfg = DefaultConfig();
    cfg.ViewRecords = 5;
    ASSERT_TRUE(SaveConfig(Path(), cfg));
    EXPECT_TRUE(Bytes().contains("\r\nViewRecords=10\r\n"));
    cfg.ViewRecords = 5000;
    ASSERT_TRUE(SaveConfig(Path(), cfg));
    EXPECT_TRUE(Bytes().contains("\r\nViewRecords=999\r\n"));
}

TEST_F(ConfigFile, SaveKeepsOtherSectionsAndUpdatesKeysInPlace)
{
    const QByteArray before = ToGbk(QStringLiteral("; 条屏信息\r\n[Message_1]\r\nDataMode=0\r\nText=欢迎光临\r\n\r\n"));
    const QByteArray after = ToGbk(QStringLiteral("[Message_2]\r\nText=本店打烊时间 22:00\r\nColor=1\r\n"));
    Write(before + "[Face]\r\nViewRecords=50\r\n; keep this\r\nTitle=Old\r\n\r\n" + after);

    TConfig cfg = DefaultConfig();
    cfg.Title = QStringLiteral("New");
    ASSERT_TRUE(SaveConfig(Path(), cfg));
    const QByteArray saved = Bytes();

    EXPECT_TRUE(saved.startsWith(before + "[Face]\r\nViewRecords=100\r\n; keep this\r\nTitle=New\r\nPreWarn1BkColor="))
        << saved.constData();
    const qsizetype led2 = saved.indexOf("[Message_2]");
    ASSERT_GE(led2, 0);
    EXPECT_TRUE(saved.mid(led2).startsWith(after + "\r\n[Sys]\r\n")) << saved.constData();
    EXPECT_TRUE(saved.endsWith("PortName=\r\n"));

    IniFile ini;
    ASSERT_TRUE(ini.Load(Path()));
    const QStringList faceKeys = ini.Keys(QStringLiteral("Face"));
    ASSERT_EQ(faceKeys.size(), 18);
    EXPECT_EQ(faceKeys.mid(0, 4), QStringList({QStringLiteral("ViewRecords"), QStringLiteral("Title"),
                                                QStringLiteral("PreWarn1BkColor"), QStringLiteral("PreWarn1TxtColor")}));
    EXPECT_EQ(faceKeys.last(), QStringLiteral("ServerType3"));
}

TEST_F(ConfigFile, FailedSaveReportsAndKeepsTheOldFile)
{
    const QByteArray old("[Face]\r\nTitle=Old\r\n[Message_1]\r\nText=x\r\n");
    Write(old);
    const QFileDevice::Permissions writable = QFile(dir_.path()).permissions();
    ASSERT_TRUE(QFile(dir_.path()).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    QFile probe(dir_.filePath(QStringLiteral("probe")));
    const bool directoryStillWritable = probe.open(QIODevice::WriteOnly);
    if (directoryStillWritable)
        probe.remove();

    QString error;
    const bool saved = SaveConfig(Path(), ChangedConfig(), &error);
    QFile(dir_.path()).setPermissions(writable);
    if (directoryStillWritable)
        GTEST_SKIP() << "permissions do not bind this user";
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Bytes(), old);
}

TEST_F(ConfigFile, SaveToADirectoryFails)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("Config.ini")));
    QString error;
    EXPECT_FALSE(SaveConfig(Path(), ChangedConfig(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(Path()).isDir());
    EXPECT_EQ(Read(), DefaultConfig());
}

TEST(ConfigDialogValues, PortNumberComesFromTheFourthAndFifthCharacters)
{
    EXPECT_EQ(PortNumberFromName(QStringLiteral("COM3")), 3);
    EXPECT_EQ(PortNumberFromName(QStringLiteral("COM12")), 12);
    EXPECT_EQ(PortNumberFromName(QStringLiteral("COM123")), 12);
    EXPECT_EQ(PortNumberFromName(QString()), 1);
    EXPECT_EQ(PortNumberFromName(QStringLiteral("COM")), 1);
    EXPECT_EQ(PortNumberFromName(QStringLiteral("COMx")), 1);
    EXPECT_EQ(PortNumberFromName(QStringLiteral("COM0")), 1);  // there is no port 0
    EXPECT_EQ(PortNumberFromName(QStringLiteral("/dev/ttyUSB0")), 1);
}

TEST(ConfigDialogValues, ViewRecordsTextIsForcedIntoRange)
{
    EXPECT_EQ(ViewRecordsFromText(QStringLiteral("250")), 250);
    EXPECT_EQ(ViewRecordsFromText(QStringLiteral("abc")), 100);
    EXPECT_EQ(ViewRecordsFromText(QString()), 100);
    EXPECT_EQ(ViewRecordsFromText(QStringLiteral("5")), 10);
    EXPECT_EQ(ViewRecordsFromText(QStringLiteral("-3")), 10);
    EXPECT_EQ(ViewRecordsFromText(QStringLiteral("999")), 999);
    EXPECT_EQ(ViewRecordsFromText(QStringLiteral("1000")), 999);
    EXPECT_EQ(ViewRecordsFromText(QStringLiteral("70000")), 999);
}

TEST(ConfigDialogValues, ThresholdsAreClampedNotWrapped)
{
    EXPECT_EQ(ThresholdFromHms(0, 2, 0), 120);
    EXPECT_EQ(ThresholdFromHms(1, 1, 1), 3661);
    EXPECT_EQ(ThresholdFromHms(18, 12, 15), 65535);
    EXPECT_EQ(ThresholdFromHms(18, 12, 16), 65535);
    EXPECT_EQ(ThresholdFromHms(23, 59, 59), 65535);
}
