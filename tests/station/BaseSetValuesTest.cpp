#include "station/BaseSetValues.h"

#include "comm/SerialPort.h"
#include "core/FileFilter.h"

#include <gtest/gtest.h>

namespace {

// A record in which every field the dialog edits differs from its default.
TConfig ChangedConfig()
{
    TConfig cfg;
    cfg.Port = 7;
    cfg.PortName = QStringLiteral("COM7");
    cfg.Baud = 19200;
    cfg.DataBits = 7;
    cfg.StopBits = 2;
    cfg.Parity = 1;
    cfg.Flux = 0;
    cfg.Title = QStringLiteral("一号店");
    cfg.ViewRecords = 250;
    cfg.NormalBkColor = 0x010203;
    cfg.NormalTxtColor = 0x040506;
    cfg.SuccessBkColor = 0x070809;
    cfg.SuccessTxtColor = 0x0A0B0C;
    cfg.PreWarn1Time = 45;
    cfg.PreWarn2Time = 3723;
    cfg.PreWarn3Time = 65535;
    cfg.PreWarn1BkColor = 0x111111;
    cfg.PreWarn2BkColor = 0x222222;
    cfg.PreWarn3BkColor = 0x333333;
    cfg.PreWarn1TxtColor = 0x444444;
    cfg.PreWarn2TxtColor = 0x555555;
    cfg.PreWarn3TxtColor = 0x666666;
    cfg.PreWarnWav1 = QStringLiteral("/snd/a.wav");
    cfg.PreWarnWavePlayMode1 = 2;
    cfg.PreWarnWav2 = QStringLiteral("/snd/b.wav");
    cfg.PreWarnWavePlayMode2 = 0;
    cfg.ServerType1 = QStringLiteral("加水");
    cfg.ServerType2 = QStringLiteral("买单");
    cfg.ServerType3 = QStringLiteral("服务");
    cfg.AutoRun = cfg.TopMost = cfg.TrayIcon = cfg.PopupWin = cfg.ServiceTimeOutKeepOnTime = true;
    return cfg;
}

TBaseSetValues OpenedWith(const TConfig& cfg, const QString& portItem)
{
    TBaseSetValues values = BaseSetValuesFromConfig(cfg);
    values.PortText = portItem;
    return values;
}

TEST(BaseSetValues, UnchangedDialogStoresTheSameRecord)
{
    const TConfig cfg = ChangedConfig();
    EXPECT_EQ(ConfigFromDialogValues(OpenedWith(cfg, QStringLiteral("COM7")), cfg), cfg);
    const TConfig defaults;
    EXPECT_EQ(ConfigFromDialogValues(OpenedWith(defaults, QString()), defaults), defaults);
}

TEST(BaseSetValues, ThresholdsShowAsHoursMinutesSecondsAndStoreIn16Bits)
{
    const TBaseSetValues shown = BaseSetValuesFromConfig(ChangedConfig());
    EXPECT_EQ(shown.PreWarn1Time, QTime(0, 0, 45));
    EXPECT_EQ(shown.PreWarn2Time, QTime(1, 2, 3));
    EXPECT_EQ(shown.PreWarn3Time, QTime(18, 12, 15));

    TBaseSetValues values = shown;
    values.PreWarn1Time = QTime(0, 2, 30);
    values.PreWarn2Time = QTime(18, 12, 16);  // one second past what 16 bits hold
    values.PreWarn3Time = QTime(23, 59, 59);
    const TConfig cfg = ConfigFromDialogValues(values, TConfig{});
    EXPECT_EQ(cfg.PreWarn1Time, 150);
    EXPECT_EQ(cfg.PreWarn2Time, 65535);
    EXPECT_EQ(cfg.PreWarn3Time, 65535);
}

TEST(BaseSetValues, RecordCountIsForcedIntoRange)
{
    TBaseSetValues values = BaseSetValuesFromConfig(TConfig{});
    const std::pair<const char*, uint16_t> cases[] = {{"5", 10}, {"0", 10}, {"", 100}, {"999", 999}, {"42", 42}};
    for (const auto& [typed, stored] : cases) {
        values.ViewRecordsText = QLatin1String(typed);
        EXPECT_EQ(ConfigFromDialogValues(values, TConfig{}).ViewRecords, stored) << typed;
    }
}

TEST(BaseSetValues, PortIsStoredFromTheChosenItem)
{
    TConfig old;
    old.Port = 5;
    TBaseSetValues values = BaseSetValuesFromConfig(old);

    values.PortText = QStringLiteral("COM12");
    TConfig cfg = ConfigFromDialogValues(values, old);
    EXPECT_EQ(cfg.Port, 12);
    EXPECT_EQ(cfg.PortName, QStringLiteral("COM12"));

    values.PortText.clear();  // the port is gone: nothing was selected
    cfg = ConfigFromDialogValues(values, old);
    EXPECT_EQ(cfg.Port, 1);
    EXPECT_TRUE(cfg.PortName.isEmpty());

    values.PortText = QStringLiteral("/dev/ttyUSB0");
    cfg = ConfigFromDialogValues(values, old);
    EXPECT_EQ(cfg.Port, 5);
    EXPECT_EQ(cfg.PortName, QStringLiteral("/dev/ttyUSB0"));
}

TEST(BaseSetValues, EmptySpeedAndDataBitsStoreTheLineDefaults)
{
    TBaseSetValues values = BaseSetValuesFromConfig(ChangedConfig());
    values.BaudText.clear();
    values.DataBitsText.clear();
    const TConfig cfg = ConfigFromDialogValues(values, ChangedConfig());
    EXPECT_EQ(cfg.Baud, 9600);
    EXPECT_EQ(cfg.DataBits, 8);
}

TEST(BaseSetValues, ListWithoutSelectionKeepsItsStoredIndex)
{
    TConfig old = ChangedConfig();
    old.Parity = 9;  // a hand edit outside the list
    TBaseSetValues values = BaseSetValuesFromConfig(old);
    values.Parity = -1;
    values.PreWarnWavePlayMode1 = -1;
    const TConfig cfg = ConfigFromDialogValues(values, old);
    EXPECT_EQ(cfg.Parity, 9);
    EXPECT_EQ(cfg.PreWarnWavePlayMode1, 2);
}

TEST(BaseSetValues, NamesAndSoundFilesAreTrimmedButTheTitleIsKeptAsTyped)
{
    TBaseSetValues values = BaseSetValuesFromConfig(TConfig{});
    values.Title = QStringLiteral("  大厅 ");
    values.ServerType2 = QStringLiteral("  结账\t");
    values.PreWarnWav1 = QStringLiteral(" /snd/warn 1.wav  ");
    const TConfig cfg = ConfigFromDialogValues(values, TConfig{});
    EXPECT_EQ(cfg.Title, QStringLiteral("  大厅 "));
    EXPECT_EQ(cfg.ServerType2, QStringLiteral("结账"));
    EXPECT_EQ(cfg.PreWarnWav1, QStringLiteral("/snd/warn 1.wav"));
}

TEST(ShowPortItem, SelectsThePortInUseAndAddsItWhenNotListed)
{
    TConfig numbered;
    numbered.Port = 12;
    TConfig named;
    named.Port = 3;
    named.PortName = QStringLiteral("/dev/serial/by-id/usb-Prolific-if00");
    const QString com12 = TMSComm::DeviceName(12, QString());
    const struct {
        const char* what;
        TConfig cfg;
        QString inUse;
        QStringList listed;
        int index;
        QStringList items;
    } cases[] = {
        {"number, listed", numbered, {}, {"COM1", com12.toLower()}, 1, {"COM1", com12.toLower()}},
        {"number, gone", numbered, {}, {"COM1"}, 1, {"COM1", com12}},
        {"named device wins over the number", named, {}, {"/dev/ttyS2", "/dev/ttyUSB0"}, 2,
         {"/dev/ttyS2", "/dev/ttyUSB0", named.PortName}},
        {"the demo's line", numbered, "/dev/pts/7", {com12}, 1, {com12, "/dev/pts/7"}},
        {"nothing listed", named, {}, {}, 0, {named.PortName}},
    };
    for (const auto& c : cases) {
        QStringList items = c.listed;
        EXPECT_EQ(ShowPortItem(items, c.cfg, c.inUse), c.index) << c.what;
        EXPECT_EQ(items, c.items) << c.what;
    }
}

TEST(BaseSetValues, APortLeftAsShownKeepsTheStoredPort)
{
    TConfig old;
    old.Port = 1;  // the demo runs on its own line; a by-id link is not listed either
    TBaseSetValues values = BaseSetValuesFromConfig(old);
    values.PortShown = QStringLiteral("/dev/pts/7");
    values.PortText = QStringLiteral("/dev/pts/7");
    EXPECT_EQ(ConfigFromDialogValues(values, old), old);

    values.PortText = QStringLiteral("/dev/ttyUSB1");  // typed or chosen: stored
    const TConfig cfg = ConfigFromDialogValues(values, old);
    EXPECT_EQ(cfg.PortName, QStringLiteral("/dev/ttyUSB1"));
    EXPECT_EQ(cfg.Port, 1);
}

TEST(QtFileFilter, ConvertsBarSeparatedPairs)
{
    EXPECT_EQ(QtFileFilter(QStringLiteral("声音 (*.wav)|*.wav")), QStringLiteral("声音 (*.wav)"));
    EXPECT_EQ(QtFileFilter(QStringLiteral("Excel|*.xls;*.xlsx|All|*")), QStringLiteral("Excel (*.xls *.xlsx);;All (*)"));
}

}  // namespace
