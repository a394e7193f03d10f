#include "calls/SoundPlayer.h"
#include "calls/ui/PopupWin.h"
#include "core/Clock.h"
#include "core/GbkCodec.h"
#include "mainwindow/CallViews.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/TrayIcon.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SilentSound final : public ISoundPlayer {
public:
    void PlayOnce(const QString&) override {}
    void PlayLoop(const QString&) override {}
    void Stop() override {}
};

void Click(QWidget& w, const QPoint& pos)
{
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(pos), w.mapToGlobal(QPointF(pos)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &event);
    }
}

QPoint Centre(const TFuncButton& b) { return QPoint((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2); }

// Runs the event loop until window is the active one, at most a second.
bool BecomesActive(const QWidget* window)
{
    QDeadlineTimer deadline(1000);
    while (QApplication::activeWindow() != window && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return QApplication::activeWindow() == window;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QFile ini(dir.filePath(QStringLiteral("Config.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Face]\r\nTitle=" + ToGbk(QStringLiteral("海景餐厅呼叫")) + "\r\n");
        ini.write("[Com]\r\nPortName=" + dir.filePath(QStringLiteral("no-such-tty")).toLocal8Bit() + "\r\n");
        ini.close();
        env = TestEnvironment(dir.path());
    }

    QTemporaryDir dir;
    TEnvironment env;
    ManualClock clock;
    SilentSound sound;
};

TEST_F(MainWindowTest, StartShowsTitleClockAndPortState)
{
    TStation station(env, clock, sound);
    TFrm_Main w(station, clock);
    QString error;
    ASSERT_TRUE(w.Start(&error)) << error.toStdString();

    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w.size(), QSize(956, 608));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("海景餐厅呼叫"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("海景餐厅呼叫"));
    EXPECT_EQ(w.StatusLine().Clock()->text(), QStringLiteral("2026-12-08 12:00:00"));
    // The configured device does not exist: the port label reports the failure in red, the
    // message line and the label's tooltip say why.
    const QString device = dir.filePath(QStringLiteral("no-such-tty"));
    EXPECT_EQ(w.StatusLine().Port()->text(), device + QStringLiteral(" 打开失败"));
    EXPECT_TRUE(w.StatusLine().Port()->styleSheet().contains(QStringLiteral("red")));
    EXPECT_TRUE(w.StatusLine().Message()->text().startsWith(device + QStringLiteral(" 打开失败：")));
    EXPECT_EQ(w.StatusLine().Port()->toolTip(), w.StatusLine().Message()->text());
    EXPECT_FALSE(w.TrayIconShown());
}

TEST_F(MainWindowTest, ResizeMovesSystemButtonsStatusLineAndWorkArea)
{
    TStation station(env, clock, sound);
    TFrm_Main w(station, clock);
    w.show();
    w.resize(800, 500);
    QCoreApplication::processEvents();

    EXPECT_EQ(w.Buttons().Button(BtnMinimise).Left, 800 - 83);
    EXPECT_EQ(w.Views().geometry(), QRect(16, 108, 800 - 10 - 16, 500 - 30 - 108));

    const TStatusLine& status = w.StatusLine();
    const QRect clock = status.Clock()->geometry();
    EXPECT_EQ(clock.top(), 480);
    EXPECT_EQ(clock.left() + clock.width(), 792);
    EXPECT_GE(clock.width(), 120);
    EXPECT_EQ(status.Port()->y(), 480);
    EXPECT_EQ(status.PortRight(), clock.left() - 3);
    EXPECT_EQ(status.Message()->x(), 13);
    EXPECT_EQ(status.MessageRight(), status.Port()->x() - 3);
    w.hide();
}

// The popup is shown with the main window and for every new call; either way it must not stay
// behind the main window the operator was working in.
TEST_F(MainWindowTest, ThePopupComesInFrontAtStartAndForANewCall)
{
    TStation station(env, clock, sound);
    TFrm_Main w(station, clock);
    QString error;
    ASSERT_TRUE(w.Start(&error)) << error.toStdString();
    auto* popup = w.findChild<TFrm_PopupWin*>();
    ASSERT_NE(popup, nullptr);
    w.show();
    EXPECT_TRUE(BecomesActive(popup)) << "at start";

    w.activateWindow();  // the operator clicks the main window
    ASSERT_TRUE(BecomesActive(&w));
    w.PopupChanged(true);
    EXPECT_TRUE(BecomesActive(popup)) << "for a new call";

    QDialog login(&w);  // a dialog being typed in keeps the keys
    login.setModal(true);
    login.show();
    ASSERT_TRUE(BecomesActive(&login));
    w.PopupChanged(true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(BecomesActive(&login));
}

TEST_F(MainWindowTest, ShrinkingKeepsButtonsCaptionAndStatusLine)
{
    TStation station(env, clock, sound);
    TFrm_Main w(station, clock);
    w.show();
    w.resize(40, 30);
    EXPECT_EQ(w.size(), w.minimumSize());
    const TFuncButton& minimise = w.Buttons().Button(BtnMinimise);
    const TFuncButton& about = w.Buttons().Button(BtnAbout);
    EXPECT_LE(about.Right, w.width() - 8) << "every face button stays in the frame";
    EXPECT_GE(minimise.Left, 30 + 100) << "room for the caption before the system buttons";
    EXPECT_GE(w.StatusLine().Message()->width(), 100);
    EXPECT_GE(w.Views().height(), 100) << "a work area to see calls in";
}

TEST_F(MainWindowTest, TabButtonsSwitchTheViews)
{
    TStation station(env, clock, sound);
    TFrm_Main w(station, clock);
    Click(w, Centre(w.Buttons().Button(BtnUnprocTab)));
    EXPECT_EQ(w.Views().CurrentView(), TCallViews::UnprocView);
    Click(w, Centre(w.Buttons().Button(BtnCallRecordTab)));
    EXPECT_EQ(w.Views().CurrentView(), TCallViews::CallRecordView);
    EXPECT_FALSE(w.Buttons().Button(BtnUnprocTab).Down);
    Click(w, Centre(w.Buttons().Button(BtnLayoutTab)));
    EXPECT_EQ(w.Views().CurrentView(), TCallViews::LayoutView);
}

TEST_F(MainWindowTest, StationEventsReachTheStatusLine)
{
    TStation station(env, clock, sound);
    TFrm_Main w(station, clock);
    w.StoreError(QStringLiteral("Waiter.db: no such table"));
    EXPECT_EQ(w.StatusLine().Message()->text(), QStringLiteral("Waiter.db: no such table"));
}

TEST_F(MainWindowTest, ACallLogThatCannotBeWrittenShowsInRedUntilItIsWrittenAgain)
{
    TStation station(env, clock, sound);
    TFrm_Main w(station, clock);
    w.show();   // lays the status line out
    const QLabel* message = w.StatusLine().Message();
    const QLabel* failure = w.StatusLine().LogState();
    const int messageWidth = message->width();
    EXPECT_TRUE(failure->isHidden());

    emit w.Station().CallLogStatusChanged(QStringLiteral("database is locked, 3 waiting"), true);
    EXPECT_FALSE(failure->isHidden());
    EXPECT_EQ(failure->text(), QStringLiteral("database is locked, 3 waiting"));
    EXPECT_TRUE(failure->styleSheet().contains(QStringLiteral("red")));
    // At the right end of the message line, which gives way; the separator follows it.
    EXPECT_LT(message->width(), messageWidth);
    EXPECT_LE(message->x() + message->width(), failure->x());
    EXPECT_EQ(w.StatusLine().MessageRight(), failure->x() + failure->width());
    EXPECT_LT(w.StatusLine().MessageRight(), w.StatusLine().Port()->x());

    emit w.Station().CallLogStatusChanged(QStringLiteral("all written"), false);
    EXPECT_TRUE(failure->isHidden());
    EXPECT_EQ(message->width(), messageWidth);
}

TEST(StatusLine, PortLabelWidensForALongStateAndTheMessageLineGivesWay)
{
    QWidget window;
    TStatusLine status(&window);
    status.Place(QSize(956, 608));
    const int messageRight = status.MessageRight();
    EXPECT_GE(status.Port()->width(), 120);
    status.SetPortStatus(QStringLiteral("/dev/serial/by-id/usb-Prolific-port0 打开失败"), true);
    EXPECT_GE(status.Port()->width(), status.Port()->fontMetrics().horizontalAdvance(status.Port()->text()));
    EXPECT_EQ(status.PortRight(), status.Clock()->x() - 3);
    EXPECT_LT(status.MessageRight(), messageRight);
}

TEST(StatusLine, ClockFollowsTheDisplayDateFormat)
{
    ManualClock clock;
    clock.SetTime(QTime(9, 5, 7));
    EXPECT_EQ(ClockText(clock, SystemDateFormats(false).Display), QStringLiteral("08/12/2026 09:05:07"));
    EXPECT_EQ(ClockText(clock, SystemDateFormats(true).Display), QStringLiteral("2026-12-08 09:05:07"));
}

TEST(TrayIcon, TipHoldsAtMost63GbkBytes)
{
    EXPECT_EQ(TrayTip(QStringLiteral("Velkaro无线呼叫系统")), QStringLiteral("Velkaro无线呼叫系统"));
    const QString chinese(40, QChar(0x547C));  // 80 bytes
    EXPECT_EQ(TrayTip(chinese), QString(31, QChar(0x547C)));
    EXPECT_EQ(TrayTip(QString(70, QLatin1Char('a'))).size(), 63);
}

}  // namespace
