#include "operators/ui/OperatorDialogs.h"

#include "operators/LoginMsg.h"
#include "operators/OperatorStore.h"
#include "operators/ui/LoginDialog.h"
#include "operators/ui/ModiPassDialog.h"
#include "operators/ui/OperateManage.h"
#include "operators/ui/OperatorMessages.h"
#include "core/ui/Messages.h"

bool RunLoginDialog(QWidget* parent, TDM_Sys& store, TLoginMsg& login)
{
    TOperatorStore operators(store);
    if (!operators.OpenAll()) {
        ShowError(parent, operators.LastError());
        return false;
    }
    TFrm_Login dialog(operators, login, parent);
    return dialog.exec() == QDialog::Accepted;
}

void RunChangePassword(QWidget* parent, TDM_Sys& store, const TLoginMsg& login)
{
    TOperatorStore operators(store);
    if (!operators.OpenOperator(login.Name)) {
        ShowError(parent, operators.LastError());
        return;
    }
    TFrm_ModiPass dialog(operators, parent);
    dialog.exec();
}

void RunOperatorManage(QWidget* parent, TDM_Sys& store, TLoginMsg& login)
{
    TOperatorStore operators(store);
    if (!operators.OpenAll()) {
        ShowError(parent, operators.LastError());
        return;
    }
    TFrm_OperateManage window(operators, login, parent);
    window.exec();
}
