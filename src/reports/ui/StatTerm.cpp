#include "reports/ui/StatTerm.h"

#include "core/DateFormats.h"
#include "core/ResStrings.h"
#include "core/ui/StationDialog.h"
#include "reports/ConditionLists.h"
#include "reports/StatReports.h"
#include "reports/ui/ConditionCombos.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

namespace {

constexpr int Caption = 1537;
constexpr int AllText = 1541;

QDateEdit* Picker(QWidget* parent, const QString& format, const QDate& today, bool calendar)
{
    auto* edit = new QDateEdit(today, parent);
    edit->setDisplayFormat(format);
    edit->setCalendarPopup(calendar);
    return edit;
}

}  // namespace

TFrm_StatTerm::TFrm_StatTerm(QWidget* parent, const TLayOutTree& tree, const QStringList& staff, const QDate& today,
                             const QString& pickerFormat)
    : QDialog(parent),
      Cbx_Staff(new QComboBox(this)),
      Cbx_Area(new QComboBox(this)),
      Cbx_Desktop(new QComboBox(this)),
      Dtp_SDate(Picker(this, pickerFormat, today, true)),
      Dtp_EDate(Picker(this, pickerFormat, today, true)),
      Dtp_Year(Picker(this, YearFormat, today, false)),
      Dtp_Month(Picker(this, MonthFormat, today, false)),
      tree_(tree)
{
    setObjectName(QStringLiteral("Frm_StatTerm"));
    SetupStationDialog(this, Caption);
    auto* grid = new QGridLayout(this);
    auto* tilde = new QLabel(QStringLiteral("~"), this);
    AddRow(grid, 1538, {Cbx_Staff}, {StaffTerm});
    AddRow(grid, 1539, {Cbx_Area}, {PositionTerm});
    AddRow(grid, 1542, {Cbx_Desktop}, {PositionTerm});
    AddRow(grid, 1540, {Dtp_SDate, tilde, Dtp_EDate}, {StaffTerm, PositionTerm, PeriodTerm});
    AddRow(grid, 1547, {Dtp_Year}, {YearTerm});
    AddRow(grid, 1548, {Dtp_Month}, {MonthTerm});
    const TOkCancelRow buttons = OkCancelButtons(this);
    grid->addWidget(buttons.Box, static_cast<int>(rows_.size()), 0, 1, 4);
    connect(buttons.Box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    // Arrows step the year and the month.
    Dtp_Year->setCurrentSection(QDateTimeEdit::YearSection);
    Dtp_Month->setCurrentSection(QDateTimeEdit::MonthSection);

    Cbx_Staff->addItems(QStringList{LoadResStr(AllText)} + staff);
    Cbx_Area->addItems(AreaItems(tree_, LoadResStr(AllText)));
    Cbx_AreaChange();
    connect(Cbx_Area, &QComboBox::currentIndexChanged, this, &TFrm_StatTerm::Cbx_AreaChange);
}

void TFrm_StatTerm::AddRow(QGridLayout* grid, int label, const QList<QWidget*>& controls, const QList<int>& tags)
{
    const int row = static_cast<int>(rows_.size());
    auto* text = new QLabel(LoadResStr(label), this);
    grid->addWidget(text, row, 0);
    if (controls.size() == 1) {
        grid->addWidget(controls[0], row, 1, 1, 3);
    } else {
        for (int i = 0; i < controls.size(); ++i)
            grid->addWidget(controls[i], row, 1 + i);
    }
    rows_.push_back({text, controls, tags});
}

void TFrm_StatTerm::SetTag(int tag)
{
    tag_ = tag;
    for (const TRow& row : rows_) {
        const bool shown = row.Tags.contains(tag);
        row.Label->setVisible(shown);
        for (QWidget* w : row.Controls)
            w->setVisible(shown);
    }
    adjustSize();
}

void TFrm_StatTerm::Cbx_AreaChange()
{
    FillPositions(Cbx_Desktop, Cbx_Area, tree_, LoadResStr(AllText));
}

void TFrm_StatTerm::StoreConditions(TReportRequest& r) const
{
    r.From = Dtp_SDate->date();
    r.To = Dtp_EDate->date();
    r.Staff = ChosenText(Cbx_Staff);
    r.Area = ChosenText(Cbx_Area);
    r.Position = ChosenText(Cbx_Desktop);
    r.Year = Dtp_Year->date().year();
    r.Month = Dtp_Month->date();
}
