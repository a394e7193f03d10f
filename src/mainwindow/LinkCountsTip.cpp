#include "mainwindow/LinkCountsTip.h"

#include "core/ResStrings.h"
#include "mainwindow/MainWindowTexts.h"

#include <QEvent>
#include <QWidget>

namespace {

QString Row(int textId, uint64_t value, bool alarm = false)
{
    const QString number = alarm && value != 0 ? QStringLiteral("<font color=\"red\">%1</font>").arg(value)
                                               : QString::number(value);
    return QStringLiteral("<tr><td>%1</td><td align=\"right\">&nbsp;&nbsp;%2</td></tr>")
        .arg(LoadResStr(textId).toHtmlEscaped(), number);
}

}  // namespace

QString LinkCountsTipText(const TLinkCounts& c)
{
    return QStringLiteral("<b>%1</b><table>").arg(LoadResStr(TxtMainLinkCounts).toHtmlEscaped()) + Row(TxtMainReceived, c.Received) +
           Row(TxtMainSkipped, c.Skipped) + Row(TxtMainFrames, c.Frames) + Row(TxtMainDropped, c.Dropped, true) +
           Row(TxtMainAcks, c.Acks) + Row(TxtMainAckFailed, c.AckFailed, true) + QStringLiteral("</table>");
}

TLinkCountsTip::TLinkCountsTip(QWidget* field, std::function<TLinkCounts()> read)
    : QObject(field), field_(field), read_(std::move(read))
{
    field->installEventFilter(this);
}

bool TLinkCountsTip::eventFilter(QObject* watched, QEvent* event)
{
    // Filled in just before the field shows it, which it then does as usual.
    if (watched == field_ && event->type() == QEvent::ToolTip)
        field_->setToolTip(LinkCountsTipText(read_()));
    return false;
}
