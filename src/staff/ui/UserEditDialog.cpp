#include "staff/ui/UserEditDialog.h"

#include "core/CoreTexts.h"
#include "core/ResStrings.h"
#include "core/ui/StationDialog.h"
#include "core/ui/Messages.h"
#include "staff/StaffTexts.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QRadioButton>

TFrm_UserEdit::TFrm_UserEdit(QWidget* parent)
    : QDialog(parent), Edt_Number(new QLineEdit(this)), Edt_Name(new QLineEdit(this)),
      Rbtn_Male(new QRadioButton(LoadResStr(TxtMale), this)), Rbtn_Female(new QRadioButton(LoadResStr(TxtFemale), this)),
      Edt_Phone(new QLineEdit(this)), Edt_CancelAddr(new QLineEdit(this)), Edt_Remark(new QLineEdit(this))
{
    SetupStationDialog(this);

    auto* sex = new QButtonGroup(this);
    sex->addButton(Rbtn_Male);
    sex->addButton(Rbtn_Female);
    auto* sexRow = new QHBoxLayout;
    sexRow->addWidget(Rbtn_Male);
    sexRow->addWidget(Rbtn_Female);
    sexRow->addStretch();

    auto* fields = new QFormLayout;
    fields->addRow(LoadResStr(TxtStaffNumber), Edt_Number);
    fields->addRow(LoadResStr(TxtStaffName), Edt_Name);
    fields->addRow(LoadResStr(TxtStaffSex), sexRow);
    fields->addRow(LoadResStr(TxtStaffPhone), Edt_Phone);
    fields->addRow(LoadResStr(TxtStaffCancelAddress), Edt_CancelAddr);
    fields->addRow(LoadResStr(TxtStaffRemark), Edt_Remark);

    const TOkCancelRow row = LayOutWithOkCancel(this, fields);
    Btn_Ok = row.Ok;
    Btn_Cancel = row.Cancel;
    setMinimumWidth(300);
    connect(Btn_Ok, &QPushButton::clicked, this, &TFrm_UserEdit::Btn_OkClick);
}

void TFrm_UserEdit::Start(const TTextGrid& staff, int modifiedRow)
{
    staff_ = &staff;
    modifiedRow_ = modifiedRow;
    const TStaffInput input = modifiedRow < 0 ? TStaffInput{} : StaffInputOfRow(staff.Row(modifiedRow));
    setWindowTitle(LoadResStr(modifiedRow < 0 ? TxtStaffAddCaption : TxtStaffModifyCaption));
    Edt_Number->setText(input.Number);
    Edt_Name->setText(input.Name);
    (input.Male ? Rbtn_Male : Rbtn_Female)->setChecked(true);
    Edt_Phone->setText(input.Phone);
    Edt_CancelAddr->setText(input.CancelAddr);
    Edt_Remark->setText(input.Remark);
    Edt_Number->setFocus();
}

TStaffInput TFrm_UserEdit::Input() const
{
    TStaffInput input;
    input.Number = Edt_Number->text();
    input.Name = Edt_Name->text();
    input.Male = Rbtn_Male->isChecked();
    input.Phone = Edt_Phone->text();
    input.CancelAddr = Edt_CancelAddr->text();
    input.Remark = Edt_Remark->text();
    return input;
}

void TFrm_UserEdit::Btn_OkClick()
{
    const std::optional<TEditProblem> problem = staff_ ? CheckStaffInput(*staff_, Input(), modifiedRow_) : std::nullopt;
    if (!problem) {
        accept();
        return;
    }
    ShowRefusal(this, problem->CaptionId, LoadResStr(problem->TextId));
    (problem->Field == TEditField::Name ? Edt_Name : Edt_Number)->setFocus();
}
