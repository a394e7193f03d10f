#include "mainwindow/StatusLine.h"

#include "core/Clock.h"
#include "core/DateFormats.h"
#include "core/StationColors.h"
#include "core/ui/Colors.h"
#include "mainwindow/LinkCountsTip.h"

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

QString ClockText(const IClock& clock, const QString& dateFormat)
{
    return clock.Today().toString(dateFormat) + QLatin1Char(' ') +
           clock.TimeOfDay().toString(IsoTimeFormat);
}

TStatusLine::TStatusLine(QWidget* window)
    : clock_(CreateLabel(window, QStringLiteral("Lbl_Clock"), Qt::AlignRight, QString())),
      port_(CreateLabel(window, QStringLiteral("Lbl_Port"), Qt::AlignHCenter, QStringLiteral("COM1 19200bps 8 1"))),
      central_(CreateLabel(window, QStringLiteral("Lbl_Central"), Qt::AlignHCenter, QString())),
      log_(CreateLabel(window, QStringLiteral("Lbl_LogState"), Qt::AlignRight, QString())),
      message_(CreateLabel(window, QStringLiteral("Lbl_Message"), Qt::AlignLeft, QStringLiteral("...")))
{
    log_->hide();
    central_->hide();
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
    const int centralWidth = central_->isHidden() ? 0 : FieldWidth(central_, central_->text());
    const int centralLeft = portLeft - (centralWidth ? centralWidth + Gap : 0);
    central_->setGeometry(centralLeft, top, centralWidth, height);
    // The log's failure takes the right end of the message line, at most two thirds of it.
    const int messageAreaWidth = std::max(0, centralLeft - Gap - MessageLeft);
    const int logWidth = log_->isHidden() ? 0
                                          : std::min(messageAreaWidth * 2 / 3,
                                                     log_->fontMetrics().horizontalAdvance(log_->text()) + 4);
    log_->setGeometry(MessageLeft + messageAreaWidth - logWidth, top, logWidth, height);
    message_->setGeometry(MessageLeft, top, std::max(0, messageAreaWidth - logWidth - (logWidth ? Gap : 0)), height);
}

void TStatusLine::SetMessage(const QString& text) { message_->setText(text); }

void TStatusLine::SetPortStatus(const QString& text, bool isError, const QString& why)
{
    port_->setText(text);
    port_->setToolTip(why);
    port_->setStyleSheet(isError ? QStringLiteral("color: red;") : QString());
    if (clientSize_.isValid())
        Place(clientSize_);
}

void TStatusLine::SetLogStatus(const QString& text, bool isError)
{
    log_->setText(text);
    log_->setToolTip(text);
    log_->setStyleSheet(QStringLiteral("color: red;"));
    log_->setHidden(!isError);
    if (clientSize_.isValid())
        Place(clientSize_);
}

void TStatusLine::SetCentralLink(const TCentralLinkState& state)
{
    central_->setText(CentralLinkText(state));
    central_->setToolTip(state.Why);
    central_->setStyleSheet(state.IsAway() ? QStringLiteral("color: %1;").arg(ToQColor(Amber).name()) : QString());
    central_->show();
    if (clientSize_.isValid())
        Place(clientSize_);
}

void TStatusLine::SetClock(const QString& text) { clock_->setText(text); }

void TStatusLine::ShowLinkCounts(std::function<TLinkCounts()> read) { new TLinkCountsTip(port_, std::move(read)); }

int TStatusLine::MessageRight() const
{
    const QLabel* last = log_->isHidden() ? message_ : log_;
    return last->x() + last->width();
}

int TStatusLine::PortRight() const { return port_->x() + port_->width(); }
