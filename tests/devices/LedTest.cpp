// The LED message list in its INI sections, and the upload's exchange with
// the display: one frame per acknowledgement, the end frame, the watch.
#include "DeviceTestSupport.h"
#include "core/Clock.h"
#include "core/IniFile.h"
#include "core/ResStrings.h"
#include "devices/LedMessages.h"
#include "devices/LedUpload.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

IniFile Ini(const char* text)
{
    IniFile ini;
    ini.Parse(QByteArray(text));
    return ini;
}

TLedList Messages(const QStringList& texts)
{
    TLedList list;
    for (const QString& t : texts)
        list.push_back({0, 1, 1, 0, 0, t});
    return list;
}

QStringList Texts(const TLedList& list)
{
    QStringList texts;
    for (const TLedMessage& m : list)
        texts << m.Text;
    return texts;
}

}  // namespace

TEST(LedList, ReadingStopsAtTheFirstSectionWithoutTextAndFillsDefaults)
{
    int adjusted = -1;
    const TLedList list = ReadDataFromFile(Ini("[Message_1]\nText=One\nDisplayMode=3\nMoveInterval=7\nStopTime=0\n"
                                               "Color=2\nDataMode=0\n[Message_2]\nText=Two\n"
                                               "[Message_3]\nColor=1\n[Message_4]\nText=Four\n"),
                                           &adjusted);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], (TLedMessage{3, 7, 0, 2, 0, "One"}));
    // Missing keys: data mode 1, colour 1, the rest as an added message.
    EXPECT_EQ(list[1], (TLedMessage{0, 1, 1, 1, 1, "Two"}));
    EXPECT_EQ(adjusted, 0);
}

TEST(LedList, OutOfRangeValuesFromAFileAreBroughtIntoRangeAndCounted)
{
    int adjusted = 0;
    const TLedList list = ReadDataFromFile(
        Ini("[Message_1]\nText=0123456789012345678901234567890123456789\n"
            "[Message_2]\nText=ok\nDisplayMode=9\nColor=-1\nMoveInterval=0\nStopTime=999\nDataMode=x\n"
            "[Message_3]\nText=fine\n"),
        &adjusted);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Text, "01234567890123456789012345678901");
    EXPECT_EQ(list[1], (TLedMessage{7, 1, 250, 0, 1, "ok"}));  // "x" is no number: the default
    EXPECT_EQ(adjusted, 2);
    // Every row shows a text of its list.
    EXPECT_EQ(LedCellTexts(list[1], 2),
              QStringList({"2", LedChoices(1922).last(), "1", "250", LedChoices(1923).first(),
                           LedChoices(1921).last(), "ok"}));
}

TEST(LedList, WritingKeepsOtherSectionsAndErasesTheSectionAfterTheLast)
{
    IniFile ini = Ini("[Com]\nPort=3\n[Message_1]\nText=a\n[Message_5]\nText=e\n[Message_6]\nText=f\n[Sys]\nTopMost=1\n");
    TLedList list = Messages({"A", "B", "C", "D", "E"});
    list.erase(list.begin() + 1);  // delete message 2 of 5
    SaveDataToFile(ini, list);
    EXPECT_EQ(Texts(ReadDataFromFile(ini)), QStringList({"A", "C", "D", "E"}));
    EXPECT_TRUE(ini.Keys("Message_5").isEmpty());
    // A longer list's leftovers stay; the reading rule never reaches them.
    EXPECT_EQ(ini.Value("Message_6", "Text"), "f");
    EXPECT_EQ(ini.Value("Com", "Port"), "3");
    EXPECT_EQ(ini.Value("Sys", "TopMost"), "1");
    EXPECT_EQ(ini.Keys("Message_1"), QStringList({"Text", "DataMode", "DisplayMode", "MoveInterval", "StopTime", "Color"}));
}

TEST(LedList, AnUnreadableFileIsNeverOverwritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Config.ini");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Face]\r\nTitle=x\r\n");
    file.close();
    file.setPermissions(QFileDevice::WriteOwner);
    if (file.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that read any file";
    QString error;
    EXPECT_FALSE(SaveLedList(path, Messages({"A"}), &error));
    EXPECT_FALSE(error.isEmpty());
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[Face]\r\nTitle=x\r\n");
}

TEST(LedList, MenuRules)
{
    EXPECT_FALSE(LedMenuState(3, true, true).Opens);
    const TLedMenuState full = LedMenuState(MaxLedMessages, false, false);
    EXPECT_TRUE(full.Opens);
    EXPECT_FALSE(full.Add);
    EXPECT_FALSE(full.Modify);
    const TLedMenuState selected = LedMenuState(254, true, false);
    EXPECT_TRUE(selected.Add && selected.Modify && selected.Delete);
}

class LedUploadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        upload.OnStatus = [this](const QString& s) { statuses << s; };
        upload.OnEnded = [this](TTransferEnd how) { ends.push_back(how); };
    }
    RecordingLine line;
    ManualClock clock;
    TLedUpload upload{line, clock};
    QStringList statuses;
    std::vector<TTransferEnd> ends;
};

TEST_F(LedUploadTest, OneMessageThenTheEndFrameEachOnAnAcknowledgement)
{
    upload.Start(1, Messages({"ABC"}));
    EXPECT_EQ(line.Take(), QStringList({"AA C1 01 03 01 53 08 00 00 01 01 00 41 42 43 93 55"}));
    upload.OnAck();
    EXPECT_EQ(line.Take(), QStringList({"AA C1 01 03 01 53 05 01 FF 01 00 00 C9 55"}));
    EXPECT_TRUE(upload.Running());
    upload.OnAck();
    EXPECT_FALSE(upload.Running());
    EXPECT_EQ(ends, std::vector<TTransferEnd>{TTransferEnd::Done});
    EXPECT_EQ(statuses, QStringList({QStringLiteral("正在更新第 1 条信息：ABC"), LoadResStr(1920)}));
    // An acknowledgement while no upload runs changes nothing.
    upload.OnAck();
    EXPECT_TRUE(line.Take().isEmpty());
    EXPECT_EQ(ends.size(), 1u);
}

TEST_F(LedUploadTest, SlotsFollowThePositionsAndTheEndFrameCountsThem)
{
    upload.Start(5, Messages({"a", "b", "c"}));
    for (int i = 0; i < 3; ++i)
        upload.OnAck();
    const QStringList frames = line.Take();
    ASSERT_EQ(frames.size(), 4);
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_EQ(frames[slot].mid(21, 2), QString::number(slot).rightJustified(2, '0'));
    EXPECT_TRUE(frames[3].startsWith("AA C1 01 03 05 53 05 03 FF"));
    EXPECT_EQ(upload.Progress(), 3);
    upload.OnAck();
    EXPECT_EQ(ends, std::vector<TTransferEnd>{TTransferEnd::Done});
}

TEST_F(LedUploadTest, AnEmptyListSendsOnlyTheEndFrame)
{
    upload.Start(1, {});
    EXPECT_EQ(line.Take(), QStringList({"AA C1 01 03 01 53 05 00 FF 01 00 00 C8 55"}));
    upload.OnAck();
    EXPECT_EQ(ends, std::vector<TTransferEnd>{TTransferEnd::Done});
}

TEST_F(LedUploadTest, TheWatchGivesUpAfterMoreThan3000MsAndLateAcknowledgementsAreIgnored)
{
    clock.SetTick(0xFFFFF000u);  // across the tick counter's wrap
    line.failing = true;         // a failed send is only seen as the missing reply
    upload.Start(1, Messages({"a", "b"}));
    clock.Advance(3000);
    upload.CheckTimeout();
    EXPECT_TRUE(upload.Running());
    clock.Advance(1);
    upload.CheckTimeout();
    EXPECT_EQ(ends, std::vector<TTransferEnd>{TTransferEnd::TimedOut});
    line.Take();
    upload.OnAck();
    EXPECT_TRUE(line.Take().isEmpty());

    upload.Start(1, Messages({"a"}));
    upload.Cancel();
    upload.OnAck();
    EXPECT_EQ(line.Take().size(), 1);
    EXPECT_EQ(ends.back(), TTransferEnd::Cancelled);
}
