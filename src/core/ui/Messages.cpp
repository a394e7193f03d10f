#include "core/ui/Messages.h"

#include "core/CoreTexts.h"
#include "core/ResStrings.h"

namespace {

class TMessageBoxes final : public TMessageSink {
public:
    QMessageBox::StandardButton Show(QWidget* parent, const TMessage& message) override
    {
        QMessageBox box(IconOf(message.Kind), LoadResStr(message.CaptionId), message.Text, message.Buttons, parent);
        box.setDefaultButton(message.Buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }

private:
    static QMessageBox::Icon IconOf(TMessageKind kind)
    {
        switch (kind) {
        case TMessageKind::Warning:
            return QMessageBox::Warning;
        case TMessageKind::Error:
            return QMessageBox::Critical;
        case TMessageKind::Confirm:
            return QMessageBox::Question;
        case TMessageKind::Notice:
            break;
        }
        return QMessageBox::Information;
    }
};

TMessageBoxes messageBoxes;
TMessageSink* currentSink = &messageBoxes;

QMessageBox::StandardButton Show(QWidget* parent, TMessageKind kind, const QString& text, int captionId,
                                 QMessageBox::StandardButtons buttons)
{
    return currentSink->Show(parent, TMessage{kind, text, captionId, buttons});
}

}  // namespace

TMessageSink* SetMessageSink(TMessageSink* sink)
{
    TMessageSink* previous = currentSink == &messageBoxes ? nullptr : currentSink;
    currentSink = sink ? sink : &messageBoxes;
    return previous;
}

void ShowWarning(QWidget* parent, const QString& text)
{
    Show(parent, TMessageKind::Warning, text, TxtCaptionWarning, QMessageBox::Ok);
}

void ShowError(QWidget* parent, const QString& text) { Show(parent, TMessageKind::Error, text, TxtCaptionError, QMessageBox::Ok); }

void ShowNotice(QWidget* parent, const QString& text)
{
    Show(parent, TMessageKind::Notice, text, TxtCaptionNotice, QMessageBox::Ok);
}

void ShowRefusal(QWidget* parent, int captionId, const QString& text)
{
    if (captionId == TxtCaptionError)
        ShowError(parent, text);
    else
        ShowWarning(parent, text);
}

bool AskYesNo(QWidget* parent, const QString& text, int captionId)
{
    return Show(parent, TMessageKind::Confirm, text, captionId, QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

QMessageBox::StandardButton AskYesNoCancel(QWidget* parent, const QString& text, int captionId)
{
    return Show(parent, TMessageKind::Confirm, text, captionId,
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}
