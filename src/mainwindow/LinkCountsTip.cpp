#include "mainwindow/LinkCountsTip.h"

#include "core/ResStrings.h"

#include <QEvent>
#include <QWidget>

namespace {

constexpr int TitleText = 3430;      // "线路计数（本次启动以来）"
constexpr int ReceivedText = 3431;   // "收到字节"
constexpr int SkippedText = 3432;    // "跳过字节"
constexpr int FramesText = 3433;     // "有效帧"
constexpr int DroppedText = 3434;    // "丢弃帧（校验和或结束字节错误）"
constexpr int AcksText = 3435;       // "已发送应答"
constexpr int AckFailedText = 3436;  // "应答发送失败"

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
    return QStringLiteral("<b>%1</b><table>").arg(LoadResStr(TitleText).toHtmlEscaped()) + Row(ReceivedText, c.Received) +
           Row(SkippedText, c.Skipped) + Row(FramesText, c.Frames) + Row(DroppedText, c.Dropped, true) +
           Row(AcksText, c.Acks) + Row(AckFailedText, c.AckFailed, true) + QStringLiteral("</table>");
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
