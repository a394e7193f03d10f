#include "layout/ui/EditorPlacement.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace {

// The decorations of a window the window manager frames: its frame minus its client area.
QMargins FrameOf(const QWidget* window)
{
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

// Before its showing a window has no frame yet: a shown window with one tells its size,
// otherwise a title bar of the style's height is expected.
QMargins ExpectedFrame(const QWidget* window)
{
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other->isVisible() && !FrameOf(other).isNull())
            return FrameOf(other);
    }
    return QMargins(0, window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window), 0, 0);
}

}  // namespace

QRect CentredWithin(const QRect& owner, const QSize& size, const QRect& available)
{
    QRect r(QPoint(0, 0), size.boundedTo(available.size()));
    r.moveCenter(owner.center());
    r.moveLeft(std::clamp(r.left(), available.left(), available.right() + 1 - r.width()));
    r.moveTop(std::clamp(r.top(), available.top(), available.bottom() + 1 - r.height()));
    return r;
}

void PlaceCentredOn(QWidget* window, const QWidget* owner)
{
    if (owner)
        owner = owner->window();
    const QScreen* screen = (owner ? owner : window)->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QMargins frame = ExpectedFrame(window);
    const QRect outer = CentredWithin(owner ? owner->frameGeometry() : available, window->size().grownBy(frame),
                                      available);
    window->resize(outer.size().shrunkBy(frame));
    // A window's position is that of its frame, whatever the frame turns out to be.
    window->move(outer.topLeft());
}
