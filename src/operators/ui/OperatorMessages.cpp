#include "operators/ui/OperatorMessages.h"

#include "core/ResStrings.h"

#include <QMessageBox>

namespace {

class TMessageBoxSink : public TMessageSink {
public:
    bool Show(QWidget* parent, TMessageKind kind, const QString& text) override
    {
        switch (kind) {
        case TMessageKind::Warning:
            QMessageBox::warning(parent, LoadResStr(112), text);
            return true;
        case TMessageKind::Error:
            QMessageBox::critical(parent, LoadResStr(113), text);
            return true;
        case TMessageKind::Confirm:
            return QMessageBox::question(parent, LoadResStr(114), text, QMessageBox::Yes | QMessageBox::No)
                == QMessageBox::Yes;
        case TMessageKind::Notice:
            QMessageBox::information(parent, LoadResStr(115), text);
            return true;
        }
        return true;
    }
};

}  // namespace

TMessageSink& MessageBoxSink()
{
    static TMessageBoxSink sink;
    return sink;
}

void ReportOperatorCheck(TMessageSink& sink, QWidget* parent, TOperatorCheck check,
                         const TOperatorStore& operators)
{
    switch (check) {
    case TOperatorCheck::Ok:
        return;
    case TOperatorCheck::StoreFailed:
        sink.Show(parent, TMessageKind::Error, operators.LastError());
        return;
    case TOperatorCheck::UnknownName:
    case TOperatorCheck::WrongPassword:
    case TOperatorCheck::LoggedInOperator:
        sink.Show(parent, TMessageKind::Warning, LoadResStr(static_cast<int>(check)));
        return;
    case TOperatorCheck::NameExists:
    case TOperatorCheck::WrongOldPassword:
    case TOperatorCheck::ConfirmMismatch:
        sink.Show(parent, TMessageKind::Error, LoadResStr(static_cast<int>(check)));
        return;
    }
}
