#include "operators/ui/LoginDialog.h"

#include "core/ResStrings.h"
#include "operators/OperatorStore.h"
#include "core/ui/StationDialog.h"
#include "operators/OperatorsTexts.h"
#include "operators/ui/OperatorMessages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TFrm_Login::TFrm_Login(TOperatorStore& operators, TLoginMsg& login, QWidget* parent)
    : QDialog(parent),
      Edt_Name(new QLineEdit(this)),
      Edt_Password(new QLineEdit(this)),
      operators_(operators),
      login_(login)
{
    SetupStationDialog(this, TxtOperatorsLoginCaption);
    LimitToGbkBytes(Edt_Name, LoginTextBytes);
    LimitToGbkBytes(Edt_Password, LoginTextBytes);
    MakePasswordField(Edt_Password);

    auto* fields = new QFormLayout;
    fields->addRow(LoadResStr(TxtOperatorsLoginName), Edt_Name);
    fields->addRow(LoadResStr(TxtOperatorsLoginPassword), Edt_Password);
    connect(LayOutWithOkCancel(this, fields).Box, &QDialogButtonBox::accepted, this, &TFrm_Login::Btn_OkClick);
    Edt_Name->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('W')) * 12);
    Edt_Name->setFocus();
}

void TFrm_Login::Btn_OkClick()
{
    const TOperatorCheck check = operators_.Login(Edt_Name->text(), Edt_Password->text(), login_);
    if (check == TOperatorCheck::Ok) {
        accept();
        return;
    }
    ReportOperatorCheck(this, check, operators_);
    (check == TOperatorCheck::WrongPassword ? Edt_Password : Edt_Name)->setFocus();
}
