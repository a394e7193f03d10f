#include "calls/ui/PopupWin.h"

#include "calls/CallsTexts.h"
#include "calls/PopupSlots.h"
#include "core/ResStrings.h"
#include "core/ui/Colors.h"
#include "core/ui/StationDialog.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include <array>

namespace {

constexpr QSize ClientSize(838, 534);
constexpr QSize BadgeSize(40, 41);
constexpr int LineCount = 3;
const QColor Cream(255, 251, 240);

// Slots 0 and 1 are the tall ones on the left, 2-4 the short ones on the right.
QRect SlotGeometry(int slot)
{
    if (slot < 2)
        return {5, 5 + slot * 265, 410, 260};
    return {420, 5 + (slot - 2) * 176, 410, 173};
}

// The slot number in bold red on a red-ringed near-white disc; the ground stays transparent.
QPixmap BadgePixmap(int number, QFont font)
{
    QPixmap pixmap(BadgeSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 0, 0), 2));
    p.setBrush(QColor(255, 255, 254));
    p.drawEllipse(QRectF(QPointF(1, 1), QSizeF(BadgeSize) - QSizeF(2, 2)));
    font.setBold(true);
    p.setFont(font);
    p.drawText(pixmap.rect(), Qt::AlignCenter, QString::number(number));
    return pixmap;
}

void SetColor(QWidget* w, QPalette::ColorRole role, const QColor& color)
{
    QPalette pal = w->palette();
    if (pal.color(role) == color)
        return;
    pal.setColor(role, color);
    w->setPalette(pal);
}

} // namespace

struct TFrm_PopupWin::Impl {
    const TPopupSlots& model;
    std::array<QFrame*, PopupSlotCount> panels{};
    std::array<std::array<QLabel*, LineCount>, PopupSlotCount> lines{};

    explicit Impl(const TPopupSlots& m) : model(m) {}
};

TFrm_PopupWin::TFrm_PopupWin(const TPopupSlots& model, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), d_(new Impl(model))
{
    setWindowTitle(LoadResStr(TxtCallsPopupCaption));
    QFont font(StationFont().family());
    font.setPixelSize(32);
    setFont(font);
    setAutoFillBackground(true);
    SetColor(this, QPalette::Window, Cream);
    setFixedSize(ClientSize);

    const int lineHeight = fontMetrics().height();
    for (int i = 0; i < PopupSlotCount; ++i) {
        auto* panel = new QFrame(this);
        panel->setObjectName(QStringLiteral("PopupSlot%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setAutoFillBackground(true);
        panel->setGeometry(SlotGeometry(i));
        d_->panels[i] = panel;

        const int h = panel->height();
        const int tops[LineCount] = {10, (h - 10) / 3 + 10, (h - 10) / 3 * 2 + 10};
        for (int line = 0; line < LineCount; ++line) {
            auto* label = new QLabel(panel);
            label->setObjectName(QStringLiteral("Line%1").arg(line));
            label->setAlignment(Qt::AlignCenter);
            label->setGeometry(5, tops[line], panel->width() - 10, lineHeight);
            d_->lines[i][line] = label;
        }

        auto* badge = new QLabel(panel);
        badge->setObjectName(QStringLiteral("Badge"));
        badge->setGeometry(QRect(QPoint(panel->width() - 45, panel->height() - 49), BadgeSize));
        badge->setPixmap(BadgePixmap(i + 1, font));
    }
    RefreshSlots();

    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

TFrm_PopupWin::~TFrm_PopupWin()
{
    delete d_;
}

void TFrm_PopupWin::ShowInFront()
{
    show();
    // A dialog being worked in stays in front: the popup must not cover it nor take its keys.
    if (QApplication::activeModalWidget())
        return;
    raise();
    activateWindow();
}

void TFrm_PopupWin::RefreshSlots()
{
    for (int i = 0; i < PopupSlotCount; ++i) {
        const TPopupSlot& slot = d_->model[i];
        SetColor(d_->panels[i], QPalette::Window, ToQColor(slot.PanelColor));
        for (int line = 0; line < LineCount; ++line) {
            QLabel* label = d_->lines[i][line];
            label->setText(slot.Lines[line]);
            SetColor(label, QPalette::WindowText, ToQColor(slot.LineColors[line]));
        }
    }
}
