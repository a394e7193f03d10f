#include "reports/ui/HistoryTerm.h"

#include "core/Environment.h"
#include "core/DateFormats.h"
#include "core/ResStrings.h"
#include "core/ui/StationDialog.h"
#include "reports/ConditionLists.h"
#include "reports/HistoryQuery.h"
#include "reports/ui/ConditionCombos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>

namespace {

constexpr int Caption = 1401;
constexpr int AllText = 1404;

QDateEdit* DatePicker(QWidget* parent, const QString& format)
{
    auto* edit = new QDateEdit(parent);
    edit->setDisplayFormat(format);
    edit->setCalendarPopup(true);
    return edit;
}

QTimeEdit* TimePicker(QWidget* parent)
{
    auto* edit = new QTimeEdit(parent);
    edit->setDisplayFormat(IsoTimeFormat);
    return edit;
}

int Seconds(const QTime& t)
{
    return t.msecsSinceStartOfDay() / 1000;
}

QTime TimeOfSeconds(int seconds)
{
    return QTime(0, 0).addSecs(std::clamp(seconds, 0, 86399));
}

}  // namespace

TFrm_HistoryTerm::TFrm_HistoryTerm(QWidget* parent, const TLayOutTree& tree, const TEnvironment& env)
    : QDialog(parent),
      Dtp_SDate(DatePicker(this, env.Formats.Picker)),
      Dtp_EDate(DatePicker(this, env.Formats.Picker)),
      Cbx_Area(new QComboBox(this)),
      Cbx_Desktop(new QComboBox(this)),
      Cbx_SvrType(new QComboBox(this)),
      Edt_SvrPersonnel(new QLineEdit(this)),
      Chk_SvrTime(new QCheckBox(LoadResStr(218), this)),
      Dtp_SSvrTime(TimePicker(this)),
      Dtp_ESvrTime(TimePicker(this)),
      Cbx_SvrState(new QComboBox(this)),
      Edt_ProcPersonnel(new QLineEdit(this)),
      tree_(tree)
{
    setObjectName(QStringLiteral("Frm_HistoryTerm"));
    SetupStationDialog(this, Caption);
    auto* grid = new QGridLayout(this);
    int row = 0;
    const auto addRow = [&](int label, QWidget* control) {
        if (label)
            grid->addWidget(new QLabel(LoadResStr(label), this), row, 0);
        grid->addWidget(control, row, 1, 1, 3);
        ++row;
    };
    addRow(1402, Dtp_SDate);
    addRow(1403, Dtp_EDate);
    addRow(214, Cbx_Area);
    addRow(215, Cbx_Desktop);
    addRow(216, Cbx_SvrType);
    addRow(217, Edt_SvrPersonnel);
    grid->addWidget(Chk_SvrTime, row, 0);
    grid->addWidget(Dtp_SSvrTime, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("~"), this), row, 2);
    grid->addWidget(Dtp_ESvrTime, row, 3);
    ++row;
    addRow(219, Cbx_SvrState);
    addRow(221, Edt_ProcPersonnel);
    const TOkCancelRow buttons = OkCancelButtons(this);
    grid->addWidget(buttons.Box, row, 0, 1, 4);
    connect(buttons.Box, &QDialogButtonBox::accepted, this, &QDialog::accept);

    Cbx_Area->addItems(AreaItems(tree_, LoadResStr(AllText)));
    Cbx_SvrType->addItems({LoadResStr(AllText), env.Config.ServerType1, env.Config.ServerType2, env.Config.ServerType3});
    Cbx_SvrState->addItems({LoadResStr(AllText), env.StateTexts.SuccessSvrText, env.StateTexts.PreWarn3SvrText});
    connect(Cbx_Area, &QComboBox::currentIndexChanged, this, &TFrm_HistoryTerm::Cbx_AreaChange);
}

void TFrm_HistoryTerm::Cbx_AreaChange()
{
    FillPositions(Cbx_Desktop, Cbx_Area, tree_, LoadResStr(AllText));
}

void TFrm_HistoryTerm::ShowConditions(const THistoryQuery& q, const QDate& today)
{
    Dtp_SDate->setDate(q.SDate);
    Dtp_EDate->setDate(q.EDateIsToday ? today : q.EDate);
    const QSignalBlocker quiet(Cbx_Area);
    SelectItem(Cbx_Area, q.Area);
    Cbx_AreaChange();
    if (!q.Desktop.isEmpty())
        SelectItem(Cbx_Desktop, q.Desktop);
    SelectItem(Cbx_SvrType, q.SvrType);
    Edt_SvrPersonnel->setText(q.SvrPersonnel);
    Chk_SvrTime->setChecked(q.SvrTimeOn);
    Dtp_SSvrTime->setTime(TimeOfSeconds(q.SSvrTime));
    Dtp_ESvrTime->setTime(TimeOfSeconds(q.ESvrTime));
    Cbx_SvrState->setCurrentIndex(q.SvrState);
    Edt_ProcPersonnel->setText(q.ProcPersonnel);
}

void TFrm_HistoryTerm::StoreConditions(THistoryQuery& q, const QDate& today) const
{
    q.SDate = Dtp_SDate->date();
    q.EDate = Dtp_EDate->date();
    q.EDateIsToday = q.EDate == today;
    q.Area = ChosenText(Cbx_Area);
    q.Desktop = ChosenText(Cbx_Desktop);
    q.SvrType = ChosenText(Cbx_SvrType);
    q.SvrPersonnel = Edt_SvrPersonnel->text();
    q.SvrTimeOn = Chk_SvrTime->isChecked();
    q.SSvrTime = Seconds(Dtp_SSvrTime->time());
    q.ESvrTime = Seconds(Dtp_ESvrTime->time());
    q.SvrState = static_cast<uint8_t>(std::max(0, Cbx_SvrState->currentIndex()));
    q.ProcPersonnel = Edt_ProcPersonnel->text();
}
