#include "layout/ui/EditorPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
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

// Before its first showing a window has no frame yet: any shown window with one tells its size.
QMargins ExpectedFrame(const QWidget* window)
{
    if (window->isVisible())
        return FrameOf(window);
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other != window && other->isVisible() && !other->isMinimized() && !FrameOf(other).isNull())
            return FrameOf(other);
    }
    return QMargins();
}

void Place(QWidget* window, const QWidget* owner)
{
    const QScreen* screen = (owner ? owner : window)->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QMargins frame = ExpectedFrame(window);
    const QRect outer = CentredWithin(owner ? owner->frameGeometry() : available, window->size().grownBy(frame),
                                      available);
    window->setGeometry(outer.marginsRemoved(frame));
}

// Places the window once more when its real frame is known, after its first showing.
class TPlaceAgainOnShow final : public QObject {
public:
    TPlaceAgainOnShow(QWidget* window, const QWidget* owner) : QObject(window), owner_(owner) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* window = static_cast<QWidget*>(watched);
            QMetaObject::invokeMethod(
                this, [this, window] { Place(window, owner_); deleteLater(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    const QWidget* owner_;
};

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
    Place(window, owner);
    window->installEventFilter(new TPlaceAgainOnShow(window, owner));
}
