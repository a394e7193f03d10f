// The popup call window: slot geometry, what a refresh shows, and closing.
#include "calls/PopupSlots.h"
#include "calls/ui/PopupWin.h"
#include "core/ResStrings.h"
#include "core/ui/Colors.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPointer>

#include <gtest/gtest.h>

namespace {

QFrame* Slot(const TFrm_PopupWin& win, int i)
{
    return win.findChild<QFrame*>(QStringLiteral("PopupSlot%1").arg(i));
}

QLabel* Line(const TFrm_PopupWin& win, int slot, int line)
{
    QFrame* panel = Slot(win, slot);
    return panel ? panel->findChild<QLabel*>(QStringLiteral("Line%1").arg(line)) : nullptr;
}

} // namespace

TEST(PopupWin, WindowAndSlotGeometry)
{
    TPopupSlots popup;
    TFrm_PopupWin win(popup);
    EXPECT_EQ(win.windowTitle(), LoadResStr(1800));
    EXPECT_EQ(win.size(), QSize(838, 534));
    EXPECT_EQ(win.minimumSize(), win.maximumSize());
    EXPECT_EQ(win.font().pixelSize(), 32);

    const QRect expected[] = {{5, 5, 410, 260}, {5, 270, 410, 260}, {420, 5, 410, 173},
                              {420, 181, 410, 173}, {420, 357, 410, 173}};
    for (int i = 0; i < PopupSlotCount; ++i) {
        QFrame* panel = Slot(win, i);
        ASSERT_NE(panel, nullptr) << i;
        EXPECT_EQ(panel->geometry(), expected[i]) << i;
        // Lines at 10, (H - 10) div 3 + 10 and twice that step + 10, 5 pixels in from both sides.
        const int h = expected[i].height();
        const int tops[] = {10, (h - 10) / 3 + 10, (h - 10) / 3 * 2 + 10};
        for (int line = 0; line < 3; ++line) {
            QLabel* label = Line(win, i, line);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->x(), 5);
            EXPECT_EQ(label->y(), tops[line]);
            EXPECT_EQ(label->width(), 400);
            EXPECT_EQ(label->text(), QStringLiteral("-"));
            EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
        }
        auto* badge = panel->findChild<QLabel*>(QStringLiteral("Badge"));
        ASSERT_NE(badge, nullptr);
        EXPECT_EQ(badge->geometry(), QRect(410 - 45, h - 49, 40, 41));
        // A transparent ground around a near-white disc with a red ring.
        const QImage face = badge->pixmap().toImage();
        EXPECT_EQ(face.pixelColor(0, 0).alpha(), 0);
        EXPECT_EQ(face.pixelColor(8, 20).rgb(), QColor(255, 255, 254).rgb());
        EXPECT_EQ(face.pixelColor(1, 20).red(), 255);
        EXPECT_EQ(face.pixelColor(1, 20).green(), 0);
    }
}

TEST(PopupWin, RefreshShowsTheSlotsTextsAndColours)
{
    TPopupSlots popup;
    TFrm_PopupWin win(popup);
    const QColor skyBlue = ToQColor(0xF0CAA6);
    EXPECT_EQ(Slot(win, 0)->palette().color(QPalette::Window), skyBlue);

    popup.PushNew({QStringLiteral("2024-05-01 12:00:00"), QStringLiteral("大厅A1加水"),
                   QStringLiteral("00:00:00 未应答")}, 7);
    popup.PushNew({QStringLiteral("2024-05-01 12:00:05"), QStringLiteral("大厅A2结账"),
                   QStringLiteral("00:00:00 未应答")}, 8);
    popup.Slots()[1].PanelColor = 0x0000FF;
    popup.Slots()[1].LineColors = {0xFFFFFF, 0x00FF00, 0xFF0000};
    // Nothing shows before the refresh.
    EXPECT_EQ(Line(win, 0, 1)->text(), QStringLiteral("-"));

    win.RefreshSlots();
    EXPECT_EQ(Line(win, 0, 1)->text(), QStringLiteral("大厅A2结账"));
    EXPECT_EQ(Line(win, 1, 0)->text(), QStringLiteral("2024-05-01 12:00:00"));
    EXPECT_EQ(Line(win, 1, 2)->text(), QStringLiteral("00:00:00 未应答"));
    EXPECT_EQ(Line(win, 2, 0)->text(), QStringLiteral("-"));
    EXPECT_EQ(Slot(win, 1)->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(Line(win, 1, 0)->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    EXPECT_EQ(Line(win, 1, 1)->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_EQ(Line(win, 1, 2)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(Slot(win, 0)->palette().color(QPalette::Window), skyBlue);

    // The panel colour is what the slot shows.
    const QImage shot = Slot(win, 1)->grab().toImage();
    EXPECT_EQ(shot.pixelColor(200, 5).rgb(), QColor(255, 0, 0).rgb());
}

TEST(PopupWin, ClosingOnlyHides)
{
    TPopupSlots popup;
    auto* win = new TFrm_PopupWin(popup);
    QPointer<TFrm_PopupWin> alive(win);
    win->show();
    ASSERT_TRUE(win->isVisible());
    EXPECT_TRUE(win->close());
    EXPECT_FALSE(win->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(alive.isNull());
    win->show();
    EXPECT_TRUE(win->isVisible());
    delete win;
}
