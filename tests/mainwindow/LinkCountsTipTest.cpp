// The port field's tooltip: the station's link counters as they stand when it opens.
#include "core/Clock.h"
#include "mainwindow/LinkCountsTip.h"
#include "mainwindow/MainWindow.h"
#include "support/SilentSound.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString TipOf(const QLabel* field)
{
    QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), field->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(const_cast<QLabel*>(field), &hover);
    return field->toolTip();
}

}  // namespace

TEST(LinkCountsTip, PortFieldShowsTheCountersAsTheyStandWhenHovered)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TEnvironment env = TestEnvironment(dir.path());
    ManualClock clock;
    SilentSound sound;
    TStation station(env, clock, sound);
    TFrm_Main w(station, clock);
    const QLabel* port = w.StatusLine().Port();
    EXPECT_EQ(TipOf(port), LinkCountsTipText(TLinkCounts{}));

    // Bytes from the line reach the ring at once; the tip follows without a timer.
    const uint8_t noise[5] = {1, 2, 3, 4, 5};
    w.Station().Port().OnReceived(noise, 5);
    EXPECT_EQ(TipOf(port), LinkCountsTipText(TLinkCounts{.Received = 5}));
}

TEST(LinkCountsTip, NamesEveryCounterAndShowsLossesInRed)
{
    const QString calm = LinkCountsTipText({.Received = 901, .Skipped = 902, .Frames = 903, .Acks = 905});
    for (const char* text : {"线路计数", "收到字节", "跳过字节", "有效帧", "丢弃帧", "已发送应答", "应答发送失败"})
        EXPECT_TRUE(calm.contains(QString::fromUtf8(text))) << text;
    for (const char* number : {";901<", ";902<", ";903<", ";905<"})
        EXPECT_TRUE(calm.contains(QLatin1String(number))) << number;
    EXPECT_FALSE(calm.contains(QLatin1String("red")));

    const QString losing = LinkCountsTipText({.Dropped = 7, .AckFailed = 3});
    EXPECT_TRUE(losing.contains(QLatin1String("<font color=\"red\">7</font>")));
    EXPECT_TRUE(losing.contains(QLatin1String("<font color=\"red\">3</font>")));
}
