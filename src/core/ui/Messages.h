#pragma once
// Every message box of the station: a text under a string-table caption with
// the caption's icon. All windows show their messages through here, so a test
// installs one sink that records and answers them instead of a box waiting
// for a click.
#include "core/CoreTexts.h"

#include <QMessageBox>
#include <QString>

class QWidget;

enum class TMessageKind {
    Warning,  // TxtCaptionWarning "警告", warning icon: rejected input
    Error,    // TxtCaptionError "错误", error icon: failures
    Confirm,  // TxtCaptionConfirm "确认" (the layout editor's own: TxtCaptionLayoutConfirm), question icon
    Notice,   // TxtCaptionNotice "提示", information icon: completion notices
};

struct TMessage {
    TMessageKind Kind = TMessageKind::Notice;
    QString Text;
    int CaptionId = TxtCaptionNotice;
    QMessageBox::StandardButtons Buttons = QMessageBox::Ok;
};

class TMessageSink {
public:
    virtual ~TMessageSink() = default;
    // The button chosen: Ok for a notice, one of the offered buttons for a question.
    virtual QMessageBox::StandardButton Show(QWidget* parent, const TMessage& message) = 0;
};

// Installs a sink in place of message boxes (nullptr: message boxes again); returns the one it replaces.
TMessageSink* SetMessageSink(TMessageSink* sink);

void ShowWarning(QWidget* parent, const QString& text);
void ShowError(QWidget* parent, const QString& text);
void ShowNotice(QWidget* parent, const QString& text);
// A refusal whose caption the rule chose: TxtCaptionError shows as an error, any other as a warning.
void ShowRefusal(QWidget* parent, int captionId, const QString& text);
// A question with Yes and No; true on Yes.
bool AskYesNo(QWidget* parent, const QString& text, int captionId = TxtCaptionConfirm);
// A question with Yes, No and Cancel; the button chosen.
QMessageBox::StandardButton AskYesNoCancel(QWidget* parent, const QString& text, int captionId = TxtCaptionConfirm);
