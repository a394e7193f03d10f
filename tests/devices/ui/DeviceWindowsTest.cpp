// The three device windows driven through their controls, with replies
// delivered through the device-reply registry as the frame handler does.
#include "../DeviceTestSupport.h"
#include "comm/DeviceReplies.h"
#include "core/Clock.h"
#include "core/GbkCodec.h"
#include "core/IniFile.h"
#include "core/ResStrings.h"
#include "devices/MemoryFile.h"
#include "devices/ui/BindSet.h"
#include "devices/ui/CopyData.h"
#include "devices/ui/LedListView.h"
#include "devices/ui/LedSet.h"
#include "devices/ui/ProgressPanel.h"
#include "support/RecordedMessages.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void Route(TDeviceReplies& replies, const QByteArray& frame)
{
    replies.Route(reinterpret_cast<const uint8_t*>(frame.constData()), int(frame.size()));
}

// Lets queued replies and timers run for ms.
void Pump(int ms = 0)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void Type(QWidget* edit, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QStringList Column(const TLedListView* list, int column)
{
    QStringList cells;
    for (int r = 0; r < list->rowCount(); ++r)
        cells << list->item(r, column)->text();
    return cells;
}

const QByteArray LedAck = Reply(0x53, {});

// Columns of view whose header or cells (those in view) are wider than the column.
QList<int> CutColumns(const QTableView* view)
{
    const QAbstractItemView* cells = view;
    QList<int> cut;
    for (int c = 0; c < view->model()->columnCount(); ++c) {
        const int needed = std::max(cells->sizeHintForColumn(c), view->horizontalHeader()->sectionSizeHint(c));
        if (!view->isColumnHidden(c) && view->columnWidth(c) < needed)
            cut << c;
    }
    return cut;
}

class DeviceWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        configPath = TestEnvironment(dir.path()).ConfigPath;
    }
    QTemporaryDir dir;
    QString configPath;
    RecordingLine line;
    TDeviceReplies replies;
    ManualClock clock;
    RecordedMessages messages;
};

}  // namespace

TEST_F(DeviceWindowTest, LedListIsEditedAndWrittenBackBesideTheOtherSections)
{
    WriteFile(configPath, "[Com]\r\nPort=3\r\n[Message_1]\r\nText=one\r\n[Message_2]\r\nText=two\r\n"
                          "[Message_3]\r\nText=three\r\n[Sys]\r\nTopMost=1\r\n");
    {
        TFrm_LedSet window(line, replies, clock, configPath);
        window.LoadList();
        EXPECT_EQ(Column(window.SGrd_LedList, 6), QStringList({"one", "two", "three"}));
        EXPECT_TRUE(window.UpdateMenu());
        EXPECT_FALSE(window.Mnu_Modify->isEnabled());

        window.SGrd_LedList->setCurrentCell(0, 0);
        window.UpdateMenu();  // as the menu opens
        messages.answer = QMessageBox::No;
        window.Mnu_Delete->trigger();
        EXPECT_EQ(window.List().size(), 3u);
        messages.answer = QMessageBox::Yes;
        window.Mnu_Delete->trigger();
        EXPECT_EQ(Column(window.SGrd_LedList, 0), QStringList({"1", "2"}));
        EXPECT_EQ(Column(window.SGrd_LedList, 6), QStringList({"two", "three"}));
        EXPECT_EQ(messages.shown.back().Text, LoadResStr(1916));

        window.ExchangeMessages(0, 1);
        EXPECT_EQ(Column(window.SGrd_LedList, 6), QStringList({"three", "two"}));
        EXPECT_EQ(Column(window.SGrd_LedList, 0), QStringList({"1", "2"}));
        window.reject();  // closing writes the list back, without a question
    }
    IniFile ini;
    ASSERT_TRUE(ini.Load(configPath));
    EXPECT_EQ(ini.Value("Message_1", "Text"), "three");
    EXPECT_EQ(ini.Value("Message_2", "Text"), "two");
    EXPECT_TRUE(ini.Keys("Message_3").isEmpty());
    EXPECT_EQ(ini.Value("Com", "Port"), "3");
    EXPECT_EQ(ini.Value("Sys", "TopMost"), "1");
}

// A full-length message, every header and the memory map's row labels (00A_ is wider than 000_)
// show whole in the windows as they open.
TEST_F(DeviceWindowTest, ListsAndMapShowTheirTextsWhole)
{
    WriteFile(configPath, ToGbk(QStringLiteral("[Message_1]\r\nText=欢迎光临本店今日特价菜品八折优惠\r\n"
                                               "[Message_2]\r\nDisplayMode=7\r\nText=ABC\r\n")));
    TFrm_LedSet led(line, replies, clock, configPath);
    led.LoadList();
    led.show();
    Pump();
    EXPECT_EQ(CutColumns(led.SGrd_LedList), QList<int>{});

    WriteFile(dir.filePath("m.bin"), MemoryFileBytes(QByteArray(256, '\xAB')));
    TFrm_CopyData copy(line, replies, clock);
    copy.ImportFrom(dir.filePath("m.bin"));
    copy.findChild<QTabWidget*>()->setCurrentIndex(1);
    copy.show();
    Pump();
    ASSERT_EQ(copy.SGrd_MemoryMap->model()->index(10, 0).data().toString(), "00A_");
    EXPECT_EQ(CutColumns(copy.SGrd_MemoryMap), QList<int>{});
}

TEST_F(DeviceWindowTest, LedImportRefusesNothingSilently)
{
    WriteFile(dir.filePath("led.ini"), "[Message_1]\r\nText=" + QByteArray(40, 'x') + "\r\nColor=5\r\n");
    TFrm_LedSet window(line, replies, clock, configPath);
    window.ImportFrom(dir.filePath("led.ini"));
    ASSERT_EQ(window.List().size(), 1u);
    EXPECT_EQ(window.List()[0].Text, QString(32, 'x'));
    EXPECT_EQ(messages.Entries().back(), (RecordedMessages::Entry{TMessageKind::Warning, LoadResStr(3301).arg(1)}));
    window.ImportFrom(dir.filePath("missing.ini"));
    EXPECT_EQ(window.List().size(), 1u);
    EXPECT_EQ(messages.Entries().back(), (RecordedMessages::Entry{TMessageKind::Error, LoadResStr(1610)}));
}

TEST_F(DeviceWindowTest, LedUploadRunsOnAcknowledgementsAndTimesOut)
{
    TFrm_LedSet window(line, replies, clock, configPath);
    window.AddMessage({0, 1, 1, 0, 0, "ABC"});
    Route(replies, LedAck);  // no upload: nothing happens
    EXPECT_TRUE(line.Take().isEmpty());

    window.Mnu_Upload->trigger();
    EXPECT_TRUE(window.Pnl_Progress->isVisibleTo(&window));
    EXPECT_FALSE(window.UpdateMenu());
    Route(replies, LedAck);
    Route(replies, LedAck);
    EXPECT_EQ(line.Take().size(), 2);
    EXPECT_FALSE(window.Pnl_Progress->isVisibleTo(&window));

    window.Mnu_Upload->trigger();
    clock.Advance(3001);
    Pump(1100);  // the panel's once-a-second watch
    EXPECT_FALSE(window.Uploading());
    EXPECT_EQ(messages.Entries().back(), (RecordedMessages::Entry{TMessageKind::Error, LoadResStr(1918)}));

    window.Mnu_SetClock->trigger();
    EXPECT_TRUE(line.Take().last().startsWith("AA C1 01 03 00 55 07 26 12 08 02 12 00"));
}

TEST_F(DeviceWindowTest, RepliesAfterAWindowClosedReachNothing)
{
    {
        TFrm_LedSet led(line, replies, clock, configPath);
        led.AddMessage({0, 1, 1, 0, 0, "A"});
        led.Upload();
        TFrm_BindSet bind(line, replies);
        Route(replies, Reply(0x82, {}));  // posted, not yet delivered
        TFrm_CopyData copy(line, replies, clock);
        copy.Read();
        Route(replies, Reply(0x69, BigEndian(64)));
    }
    line.Take();
    Route(replies, LedAck);
    Route(replies, Reply(0x6A, BigEndian(0) + QByteArray(32, '\0')));
    Pump();
    EXPECT_TRUE(line.Take().isEmpty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DeviceWindowTest, CopyDataShowsAnImportedImageAndEditsIt)
{
    QByteArray image(16, '\0');
    image[4] = char(200);  // volume out of its range 0-15
    image[7] = 1;          // single key
    WriteFile(dir.filePath("m.bin"), MemoryFileBytes(image));
    TFrm_CopyData window(line, replies, clock);
    EXPECT_FALSE(window.Btn_Write->isEnabled());
    window.ImportFrom(dir.filePath("m.bin"));
    EXPECT_EQ(messages.Entries().back(), (RecordedMessages::Entry{TMessageKind::Notice, LoadResStr(2028)}));
    EXPECT_TRUE(window.Btn_Write->isEnabled());
    EXPECT_EQ(window.Lbl_Size->text(), QStringLiteral("配置区大小：16字节"));

    auto* volume = qobject_cast<QSpinBox*>(window.ParamControl(4));
    EXPECT_EQ(volume->value(), 15);
    EXPECT_EQ(uint8_t(window.Image()[4]), 200);  // showing it wrote nothing back
    volume->setValue(9);
    EXPECT_EQ(window.Image()[4], 9);
    auto* keys = qobject_cast<QComboBox*>(window.ParamControl(7));
    EXPECT_EQ(keys->currentIndex(), 0);
    keys->setCurrentIndex(1);
    const QAbstractItemModel* map = window.SGrd_MemoryMap->model();
    EXPECT_EQ(map->index(0, 8).data().toString(), "04");
    EXPECT_EQ(map->headerData(8, Qt::Horizontal).toString(), "___7");
    EXPECT_EQ(map->index(0, 0).data().toString(), "000_");

    WriteFile(dir.filePath("five.bin"), MemoryFileBytes(QByteArray(5, '\x01')));
    window.ImportFrom(dir.filePath("five.bin"));
    qobject_cast<QSpinBox*>(window.ParamControl(0))->setValue(7);
    qobject_cast<QComboBox*>(window.ParamControl(9))->setCurrentIndex(0);
    EXPECT_EQ(window.Image(), FromHex("0701010101"));

    window.ExportTo(dir.filePath("out.bin"));
    QFile out(dir.filePath("out.bin"));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), MemoryFileBytes(FromHex("0701010101")));
}

TEST_F(DeviceWindowTest, CopyDataReadsThroughTheRegistryIgnoringRepliesFromBefore)
{
    TFrm_CopyData window(line, replies, clock);
    window.Read();
    window.Pnl_Progress->Btn_Cancel->click();
    // The size reply of the cancelled read is still queued when the next read begins.
    Route(replies, Reply(0x69, BigEndian(32)));
    window.Btn_Read->click();
    Pump();
    EXPECT_EQ(line.Take().size(), 2);  // two size queries, no block request

    Route(replies, Reply(0x69, BigEndian(100)));
    Pump();
    for (quint32 block = 0; block < 100; block += 32)
        Route(replies, Reply(0x6A, BigEndian(block) + QByteArray(32, char(block))));
    EXPECT_EQ(line.Take().size(), 4);
    EXPECT_FALSE(window.Transferring());
    EXPECT_EQ(window.Image().size(), 100);
    EXPECT_EQ(window.SGrd_MemoryMap->model()->rowCount(), 7);
    EXPECT_EQ(window.SGrd_MemoryMap->model()->index(6, 4).data().toString(), "60");
    EXPECT_TRUE(window.Btn_Export->isEnabled());
}

TEST_F(DeviceWindowTest, BindSetSendsEachPageAndReportsEveryAcknowledgement)
{
    TFrm_BindSet window(line, replies);
    window.Btn_SetBind->click();
    window.Btn_SetKey->click();
    EXPECT_EQ(line.Take(), QStringList({"AA C1 01 03 01 82 0A 00 01 AA FF FF FF 0C 01 01 00 B2 55",
                                        "AA C1 01 03 01 85 06 01 43 41 4C 4C 0D 25 55"}));
    window.Edt_ButtonAddress->clear();
    Type(window.Edt_ButtonAddress, "12a3");
    EXPECT_EQ(window.Edt_ButtonAddress->text(), "123");
    window.Edt_InternalCode->clear();
    Type(window.Edt_InternalCode, "abz");
    EXPECT_EQ(window.Edt_InternalCode->text(), "AB");
    Type(window.Edt_KeyText, QStringLiteral("中文"));
    EXPECT_EQ(window.Edt_KeyText->text(), QStringLiteral("CALL中"));

    Route(replies, Reply(0x82, {}));
    Route(replies, Reply(0x85, {}));
    Pump();
    const RecordedMessages::Entry success{TMessageKind::Notice, LoadResStr(2110)};
    EXPECT_EQ(messages.Entries(), std::vector<RecordedMessages::Entry>({success, success}));
}
