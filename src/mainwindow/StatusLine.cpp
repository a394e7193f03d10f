#include "mainwindow/StatusLine.h"

#include "core/Clock.h"
#include "core/Paths.h"

#include <QLabel>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int LabelWidth = 120;
constexpr int Gap = 3;
constexpr int MessageLeft = 13;

// Room for the label's text, never narrower than the status line's 120-pixel fields.
int FieldWidth(const QLabel* label, const QString& text)
{
    return std::max(LabelWidth, label->fontMetrics().horizontalAdvance(text) + 4);
}

QLabel* CreateLabel(QWidget* window, const QString& name, Qt::Alignment align, const QString& text)
{
    auto* label = new QLabel(text, window);
    label->setObjectName(name);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

}  // namespace

QString ClockText(const IClock& clock)
{
    return clock.Today().toString(DisplayDateFormat) + QLatin1Char(' ') +
           clock.TimeOfDay().toString(QStringLiteral("HH:mm:ss"));
}

TStatusLine::TStatusLine(QWidget* window)
    : clock_(CreateLabel(window, QStringLiteral("Lbl_Clock"), Qt::AlignRight, QString())),
      port_(CreateLabel(window, QStringLiteral("Lbl_Port"), Qt::AlignHCenter, QStringLiteral("COM1 19200bps 8 1"))),
      message_(CreateLabel(window, QStringLiteral("Lbl_Message"), Qt::AlignLeft, QStringLiteral("...")))
{
}

void TStatusLine::Place(const QSize& clientSize)
{
    clientSize_ = clientSize;
    const int height = clock_->fontMetrics().height();
    const int top = clientSize.height() - 20;
    const int clockWidth = FieldWidth(clock_, QStringLiteral("0000-00-00 00:00:00"));
    const int clockLeft = clientSize.width() - 8 - clockWidth;
    const int portWidth = FieldWidth(port_, port_->text());
    const int portLeft = clockLeft - portWidth - Gap;
    clock_->setGeometry(clockLeft, top, clockWidth, height);
    port_->setGeometry(portLeft, top, portWidth, height);
    message_->setGeometry(MessageLeft, top, std::max(0, portLeft - Gap - MessageLeft), height);
}

void TStatusLine::SetMessage(const QString& text) { message_->setText(text); }

void TStatusLine::SetPortStatus(const QString& text, bool isError)
{
    port_->setText(text);
    port_->setStyleSheet(isError ? QStringLiteral("color: red;") : QString());
    if (clientSize_.isValid())
        Place(clientSize_);
}

void TStatusLine::SetClock(const QString& text) { clock_->setText(text); }

int TStatusLine::MessageRight() const { return message_->x() + message_->width(); }

int TStatusLine::PortRight() const { return port_->x() + port_->width(); }
