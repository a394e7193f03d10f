#include "station/ui/BaseSetDialog.h"

#include "calls/SoundPlayer.h"
#include "comm/SerialPort.h"
#include "station/ApplySettings.h"
#include "core/GbkCodec.h"
#include "core/IniFile.h"
#include "core/ResStrings.h"
#include "support/RecordedMessages.h"
#include "support/ScopedConfigHome.h"
#include "support/TestEnvironment.h"
#include "station/ui/ColorSwatch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class FakeFace final : public IMainFace {
public:
    void SetCaption(const QString& title) override { Calls << QStringLiteral("caption:") + title; }
    void RepaintGrids() override { Calls << QStringLiteral("repaint"); }
    bool TrayIconShown() const override { return false; }
    void CreateTrayIcon() override { Calls << QStringLiteral("tray+"); }
    void DestoryTrayIcon() override { Calls << QStringLiteral("tray-"); }
    void ChangePort() override { Calls << QStringLiteral("port"); }
    QStringList Calls;
};

class FakeSound final : public ISoundPlayer {
public:
    void PlayOnce(const QString& file) override { Played << QStringLiteral("once:") + file; }
    void PlayLoop(const QString& file) override { Played << QStringLiteral("loop:") + file; }
    void Stop() override { Played << QStringLiteral("stop"); }
    QStringList Played;
};

// Config.ini is GBK text on disk.
QByteArray StoredFile()
{
    return ToGbk(QStringLiteral("[Face]\r\n"
                                "Title=Hall\r\n"
                                "PreWarn2Time=3723\r\n"
                                "PreWarn1SvrText=催单\r\n"
                                "[Com]\r\n"
                                "Port=12\r\n"
                                "Baud=14400\r\n"
                                "[LedMsg1]\r\n"
                                "Text=Welcome\r\n"));
}

// The device of port 12 as the system lists it.
QString Com12() { return TMSComm::DeviceName(12, QString()); }

class BaseSetDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(home_.IsValid());
        QFile file(dir_.filePath(QStringLiteral("Config.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(StoredFile());
        file.close();
        env_ = TestEnvironment(dir_.path());
        dialog_ = std::make_unique<TFrm_BaseSet>(env_, face_, sound_, QStringList{QStringLiteral("COM1"), Com12()});
    }

    template <typename T>
    T* Find(const char* name) const
    {
        T* widget = dialog_->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QByteArray FileBytes() const
    {
        QFile file(env_.ConfigPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
    TEnvironment env_;
    ScopedConfigHome home_;
    FakeFace face_;
    FakeSound sound_;
    RecordedMessages messages_;
    std::unique_ptr<TFrm_BaseSet> dialog_;
};

TEST_F(BaseSetDialogTest, OpensWithTheStoredSettings)
{
    EXPECT_EQ(dialog_->windowTitle(), LoadResStr(1200));
    auto* pages = Find<QTabWidget>("");
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(0), LoadResStr(1202));
    EXPECT_EQ(pages->tabText(1), LoadResStr(1201));
    EXPECT_EQ(pages->tabText(2), LoadResStr(1204));

    EXPECT_EQ(Find<QLineEdit>("Edt_Title")->text(), QStringLiteral("Hall"));
    EXPECT_EQ(Find<QLineEdit>("Edt_ViewRecords")->text(), QStringLiteral("100"));
    EXPECT_EQ(Find<TColorSwatch>("Btn_PreWarn3BkColor")->Color(), 0x0000FFu);
    EXPECT_EQ(Find<TColorSwatch>("Btn_SuccessBkColor")->Color(), 0x008000u);
    EXPECT_EQ(Find<QTimeEdit>("Dtp_PreWarn2Time")->time(), QTime(1, 2, 3));
    EXPECT_EQ(Find<QTimeEdit>("Dtp_PreWarn1Time")->time(), QTime(0, 0, 30));
    EXPECT_EQ(Find<QLineEdit>("Edt_ServerType1")->text(), QStringLiteral("BUTTON1"));
    EXPECT_EQ(Find<QComboBox>("Cbx_PreWarnWavePlayMode1")->currentIndex(), 1);

    EXPECT_EQ(Find<QComboBox>("Cbx_Port")->currentText(), Com12());
    EXPECT_EQ(Find<QComboBox>("Cbx_Baud")->currentIndex(), -1);  // 14400 is no item
    EXPECT_EQ(Find<QComboBox>("Cbx_DataBits")->currentText(), QStringLiteral("8"));
    EXPECT_EQ(Find<QComboBox>("Cbx_StopBits")->currentText(), QStringLiteral("1"));
    EXPECT_EQ(Find<QComboBox>("Cbx_Parity")->currentText(), QStringLiteral("无"));
    EXPECT_EQ(Find<QComboBox>("Cbx_Flux")->currentText(), QStringLiteral("无"));
}

TEST_F(BaseSetDialogTest, StateTextsAreLabelsNotEdits)
{
    int labels = 0;
    for (const QLabel* label : dialog_->findChildren<QLabel*>())
        labels += label->text() == QStringLiteral("催单") || label->text() == QStringLiteral("催单声音");
    EXPECT_EQ(labels, 2);  // the colour row and the sound row
    for (const QLineEdit* edit : dialog_->findChildren<QLineEdit*>())
        EXPECT_FALSE(edit->text().contains(QStringLiteral("催单")));
}

TEST_F(BaseSetDialogTest, CancelAfterChangingAColourChangesNothing)
{
    const TConfig before = env_.Config;
    Find<TColorSwatch>("Btn_NormalBkColor")->SetColor(0x123456);
    Find<QPushButton>("Btn_Cancel")->click();
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);
    EXPECT_EQ(FileBytes(), StoredFile());
    EXPECT_EQ(env_.Config, before);
    EXPECT_TRUE(face_.Calls.isEmpty());
}

TEST_F(BaseSetDialogTest, OkStoresConvertedValuesWritesInOrderAndApplies)
{
    Find<QLineEdit>("Edt_Title")->setText(QStringLiteral("二楼"));
    Find<QLineEdit>("Edt_ViewRecords")->setText(QStringLiteral("5"));
    Find<TColorSwatch>("Btn_NormalBkColor")->SetColor(0x123456);
    Find<QTimeEdit>("Dtp_PreWarn3Time")->setTime(QTime(0, 5, 0));
    Find<QCheckBox>("Chk_TopMost")->setChecked(true);
    Find<QPushButton>("Btn_Ok")->click();

    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(env_.Config.Title, QStringLiteral("二楼"));
    EXPECT_EQ(env_.Config.ViewRecords, 10);
    EXPECT_EQ(env_.Config.NormalBkColor, 0x123456u);
    EXPECT_EQ(env_.Config.PreWarn3Time, 300);
    EXPECT_TRUE(env_.Config.TopMost);
    EXPECT_EQ(env_.Config.Port, 12);
    EXPECT_EQ(env_.Config.Baud, 9600);  // the speed list opened empty
    EXPECT_EQ(face_.Calls, (QStringList{QStringLiteral("caption:二楼"), QStringLiteral("repaint"), QStringLiteral("port")}));

    TConfig reread;
    TStateTexts texts;
    ReadConfig(env_.ConfigPath, reread, texts);
    EXPECT_EQ(reread, env_.Config);
    EXPECT_EQ(texts.PreWarn1SvrText, QStringLiteral("催单"));

    IniFile ini;
    ASSERT_TRUE(ini.Load(env_.ConfigPath));
    EXPECT_EQ(ini.Value(QStringLiteral("LedMsg1"), QStringLiteral("Text")), QStringLiteral("Welcome"));
    EXPECT_EQ(ini.Keys(QStringLiteral("Com")),
              (QStringList{QStringLiteral("Port"), QStringLiteral("Baud"), QStringLiteral("DataBits"),
                           QStringLiteral("StopBits"), QStringLiteral("Parity"), QStringLiteral("Flux"),
                           QStringLiteral("PortName")}));
    const QStringList sys = ini.Keys(QStringLiteral("Sys"));
    EXPECT_EQ(sys.first(), QStringLiteral("AutoRun"));
    EXPECT_EQ(sys.last(), QStringLiteral("PreWarnWavePlayMode2"));
}

// The station may run on a device the system does not list: OK keeps it, a typed one is stored.
TEST_F(BaseSetDialogTest, PortListKeepsThePortInUse)
{
    const struct {
        const char* what;
        QString inUse;
        QString typed;  // empty: left as shown
        int port;
        QString portName;
    } cases[] = {
        {"the demo's line", QStringLiteral("/dev/pts/7"), {}, 12, {}},
        {"a by-id link typed", {}, QStringLiteral("/dev/serial/by-id/usb-FTDI-if00"), 12,
         QStringLiteral("/dev/serial/by-id/usb-FTDI-if00")},
    };
    for (const auto& c : cases) {
        ReadConfig(env_.ConfigPath, env_.Config, env_.StateTexts);
        TFrm_BaseSet dialog(env_, face_, sound_, {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB0")}, c.inUse);
        auto* list = dialog.findChild<QComboBox*>(QStringLiteral("Cbx_Port"));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->currentText(), c.inUse.isEmpty() ? Com12() : c.inUse) << c.what;
        ASSERT_TRUE(list->isEditable()) << c.what;
        if (!c.typed.isEmpty())
            list->setEditText(c.typed);
        dialog.findChild<QPushButton*>(QStringLiteral("Btn_Ok"))->click();
        EXPECT_EQ(env_.Config.Port, c.port) << c.what;
        EXPECT_EQ(env_.Config.PortName, c.portName) << c.what;
        TConfig reread;
        TStateTexts texts;
        ReadConfig(env_.ConfigPath, reread, texts);
        EXPECT_EQ(reread.PortName, c.portName) << c.what;
    }
}

TEST_F(BaseSetDialogTest, FailedSaveReportsKeepsTheDialogAndAppliesNothing)
{
    const TConfig before = env_.Config;
    env_.ConfigPath = dir_.filePath(QStringLiteral("missing/Config.ini"));
    Find<QLineEdit>("Edt_Title")->setText(QStringLiteral("二楼"));
    Find<QPushButton>("Btn_Ok")->click();

    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].Kind, TMessageKind::Error);
    EXPECT_FALSE(messages_.shown[0].Text.isEmpty());
    EXPECT_NE(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(env_.Config, before);
    EXPECT_TRUE(face_.Calls.isEmpty());
    EXPECT_EQ(Find<QLineEdit>("Edt_Title")->text(), QStringLiteral("二楼"));
}

TEST_F(BaseSetDialogTest, PreviewPlaysTheRowsFileOnce)
{
    Find<QLineEdit>("Edt_PreWarnWav2")->setText(QStringLiteral(" /snd/warn.wav "));
    Find<QToolButton>("Btn_PreviewWav2")->click();
    EXPECT_EQ(sound_.Played, QStringList{QStringLiteral("once:/snd/warn.wav")});
}

}  // namespace
