#include "operators/ui/ModiPassDialog.h"

#include "core/ResStrings.h"
#include "operators/OperatorStore.h"
#include "core/ui/StationDialog.h"
#include "operators/OperatorsTexts.h"
#include "operators/ui/OperatorMessages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TFrm_ModiPass::TFrm_ModiPass(TOperatorStore& operators, QWidget* parent)
    : QDialog(parent),
      Edt_OldPass(new QLineEdit(this)),
      Edt_NewPass(new QLineEdit(this)),
      Edt_Confirm(new QLineEdit(this)),
      operators_(operators)
{
    SetupStationDialog(this, TxtOperatorsChangePasswordCaption);
    auto* fields = new QFormLayout;
    const int labels[] = {TxtOperatorsOldPassword, TxtOperatorsNewPassword, TxtOperatorsRepeatPassword};
    QLineEdit* const edits[] = {Edt_OldPass, Edt_NewPass, Edt_Confirm};
    for (int i = 0; i < 3; ++i) {
        MakePasswordField(edits[i]);
        // A password longer than the login dialog takes could never be typed there again.
        LimitToGbkBytes(edits[i], LoginTextBytes);
        fields->addRow(LoadResStr(labels[i]), edits[i]);
    }
    connect(LayOutWithOkCancel(this, fields).Box, &QDialogButtonBox::accepted, this, &TFrm_ModiPass::Btn_OkClick);
    Edt_OldPass->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('W')) * 12);
    Edt_OldPass->setFocus();
}

void TFrm_ModiPass::Btn_OkClick()
{
    const TOperatorCheck check =
        operators_.ChangePassword(Edt_OldPass->text(), Edt_NewPass->text(), Edt_Confirm->text());
    if (check == TOperatorCheck::Ok) {
        accept();
        return;
    }
    ReportOperatorCheck(this, check, operators_);
    if (check == TOperatorCheck::ConfirmMismatch)
        Edt_Confirm->setFocus();
    else if (check == TOperatorCheck::WrongOldPassword)
        Edt_OldPass->setFocus();
}
