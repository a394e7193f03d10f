#include "staff/ui/TableEditDialog.h"

#include "core/DateFormats.h"
#include "core/ResStrings.h"
#include "core/ui/StationDialog.h"
#include "core/ui/Messages.h"
#include "staff/StaffTexts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QTimeEdit>

namespace {

QTimeEdit* NewTimePicker(QWidget* parent)
{
    auto* picker = new QTimeEdit(parent);
    picker->setDisplayFormat(IsoTimeFormat);
    return picker;
}

std::optional<QString> Chosen(const QComboBox* box)
{
    if (box->currentIndex() < 0)
        return std::nullopt;
    return box->currentText();
}

}  // namespace

TFrm_TableEdit::TFrm_TableEdit(QWidget* parent, const TLayOutTree& mainTree)
    : QDialog(parent), Cbx_Name(new QComboBox(this)), Dtp_STime(NewTimePicker(this)), Dtp_ETime(NewTimePicker(this)),
      Cbx_Area(new QComboBox(this)), Cbx_Position(new QComboBox(this)),
      tree_(mainTree)
{
    SetupStationDialog(this);
    Cbx_Area->addItems(AreaChoices(mainTree));

    auto* fields = new QFormLayout;
    fields->addRow(LoadResStr(TxtStaffName), Cbx_Name);
    fields->addRow(LoadResStr(TxtStaffDutyStart), Dtp_STime);
    fields->addRow(LoadResStr(TxtStaffDutyEnd), Dtp_ETime);
    fields->addRow(LoadResStr(TxtStaffDutyArea), Cbx_Area);
    fields->addRow(LoadResStr(TxtStaffDutyPosition), Cbx_Position);

    const TOkCancelRow row = LayOutWithOkCancel(this, fields);
    Btn_Ok = row.Ok;
    Btn_Cancel = row.Cancel;
    setMinimumWidth(300);
    connect(Cbx_Area, &QComboBox::currentIndexChanged, this, &TFrm_TableEdit::Cbx_AreaChange);
    connect(Btn_Ok, &QPushButton::clicked, this, &TFrm_TableEdit::Btn_OkClick);
}

void TFrm_TableEdit::Start(const TTextGrid& staff, const QStringList* row)
{
    staff_ = &staff;
    setWindowTitle(LoadResStr(row ? TxtStaffModifyDutyCaption : TxtStaffAddDutyCaption));
    Cbx_Name->clear();
    Cbx_Name->addItems(StaffChoices(staff));
    Cbx_Name->setCurrentIndex(row ? StaffChoiceOfName(staff, row->value(DutyName)) : -1);
    Dtp_STime->setTime(row ? RosterTimeOfText(row->value(DutySTime)) : QTime(0, 0));
    Dtp_ETime->setTime(row ? RosterTimeOfText(row->value(DutyETime)) : QTime(0, 0));
    Cbx_Area->setCurrentIndex(row ? Cbx_Area->findText(row->value(DutyArea)) : -1);
    Cbx_AreaChange();
    Cbx_Position->setCurrentIndex(row ? Cbx_Position->findText(row->value(DutyPosition)) : -1);
    Cbx_Name->setFocus();
}

void TFrm_TableEdit::Cbx_AreaChange()
{
    Cbx_Position->clear();
    if (Cbx_Area->currentIndex() >= 0)
        Cbx_Position->addItems(PositionChoices(tree_, Cbx_Area->currentText()));
    Cbx_Position->setCurrentIndex(-1);
}

TDutyInput TFrm_TableEdit::Input() const
{
    TDutyInput input;
    input.StaffChoice = Cbx_Name->currentIndex();
    input.Start = Dtp_STime->time();
    input.End = Dtp_ETime->time();
    input.Area = Chosen(Cbx_Area);
    input.Position = Chosen(Cbx_Position);
    return input;
}

void TFrm_TableEdit::Btn_OkClick()
{
    const std::optional<TEditProblem> problem = CheckDutyInput(*staff_, Input());
    if (!problem) {
        accept();
        return;
    }
    ShowRefusal(this, problem->CaptionId, LoadResStr(problem->TextId));
    QComboBox* concerned = problem->Field == TEditField::Staff ? Cbx_Name
        : problem->Field == TEditField::Area                   ? Cbx_Area
                                                               : Cbx_Position;
    concerned->setFocus();
}
