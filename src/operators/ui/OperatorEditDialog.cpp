#include "operators/ui/OperatorEditDialog.h"

#include "core/CoreTexts.h"
#include "core/ResStrings.h"
#include "operators/OperatorStore.h"
#include "core/ui/StationDialog.h"
#include "operators/OperatorsTexts.h"
#include "operators/ui/OperatorMessages.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

TFrm_OperatorEdt::TFrm_OperatorEdt(TOperatorStore& operators, QWidget* parent)
    : QDialog(parent),
      Edt_Name(new QLineEdit(this)),
      Rbn_Male(new QRadioButton(LoadResStr(TxtMale), this)),
      Rbn_Female(new QRadioButton(LoadResStr(TxtFemale), this)),
      Edt_Duty(new QLineEdit(this)),
      operators_(operators)
{
    SetupStationDialog(this, TxtOperatorsAddCaption);
    // A name longer than the login dialog takes could never log in.
    LimitToGbkBytes(Edt_Name, LoginTextBytes);
    auto* sexes = new QButtonGroup(this);
    sexes->addButton(Rbn_Male);
    sexes->addButton(Rbn_Female);
    auto* sexRow = new QHBoxLayout;
    sexRow->addWidget(Rbn_Male);
    sexRow->addWidget(Rbn_Female);
    sexRow->addStretch();

    auto* fields = new QFormLayout;
    fields->addRow(LoadResStr(TxtOperatorsName), Edt_Name);
    fields->addRow(LoadResStr(TxtOperatorsSex), sexRow);
    fields->addRow(LoadResStr(TxtOperatorsDuty), Edt_Duty);
    connect(LayOutWithOkCancel(this, fields).Box, &QDialogButtonBox::accepted, this, &TFrm_OperatorEdt::Btn_OkClick);
    Edt_Duty->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('W')) * 14);
}

void TFrm_OperatorEdt::Start(TOperatorEditMode mode)
{
    mode_ = mode;
    setWindowTitle(LoadResStr(mode == TOperatorEditMode::Add ? TxtOperatorsAddCaption : TxtOperatorsModifyCaption));
    if (mode == TOperatorEditMode::Add || operators_.Count() == 0) {
        Edt_Name->clear();
        Rbn_Male->setChecked(true);
        Edt_Duty->clear();
    } else {
        const TOperatorRow& row = operators_.Row(operators_.Current());
        Edt_Name->setText(row.Name);
        (row.Sex.toBool() ? Rbn_Male : Rbn_Female)->setChecked(true);
        Edt_Duty->setText(row.Duty);
    }
    Edt_Name->setFocus();
}

void TFrm_OperatorEdt::Btn_OkClick()
{
    const TOperatorCheck check = mode_ == TOperatorEditMode::Add
        ? operators_.Add(Edt_Name->text(), Rbn_Male->isChecked(), Edt_Duty->text())
        : operators_.Modify(Edt_Name->text(), Rbn_Male->isChecked(), Edt_Duty->text());
    if (check == TOperatorCheck::Ok) {
        accept();
        return;
    }
    ReportOperatorCheck(this, check, operators_);
    if (check == TOperatorCheck::NameExists)
        Edt_Name->setFocus();
}
