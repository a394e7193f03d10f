#include "operators/ui/OperatorMessages.h"

#include "core/ResStrings.h"
#include "core/ui/Messages.h"

void ReportOperatorCheck(QWidget* parent, TOperatorCheck check, const TOperatorStore& operators)
{
    switch (check) {
    case TOperatorCheck::Ok:
        return;
    case TOperatorCheck::StoreFailed:
        ShowError(parent, operators.LastError());
        return;
    case TOperatorCheck::UnknownName:
    case TOperatorCheck::WrongPassword:
    case TOperatorCheck::LoggedInOperator:
        ShowWarning(parent, LoadResStr(static_cast<int>(check)));
        return;
    case TOperatorCheck::NameExists:
    case TOperatorCheck::WrongOldPassword:
    case TOperatorCheck::ConfirmMismatch:
    case TOperatorCheck::LastManager:
    case TOperatorCheck::NameTooLong:
    case TOperatorCheck::PasswordTooLong:
        ShowError(parent, LoadResStr(static_cast<int>(check)));
        return;
    }
}
