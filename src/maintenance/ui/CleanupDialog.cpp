#include "maintenance/ui/CleanupDialog.h"

#include "core/Paths.h"
#include "core/ResStrings.h"
#include "core/ui/Messages.h"
#include "core/ui/StationDialog.h"
#include "maintenance/Cleanup.h"
#include "maintenance/FailureText.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFrm_Cleanup::TFrm_Cleanup(TDM_Sys& store, QWidget* parent)
    : QDialog(parent),
      Dtp_Date(new QDateEdit(QDate::currentDate(), this)),
      Btn_Clear(new QPushButton(LoadResStr(1617), this)),
      Btn_Cancel(new QPushButton(LoadResStr(102), this)),
      store_(store)
{
    SetupStationDialog(this, 229);
    Dtp_Date->setDisplayFormat(PickerDateFormat);
    Dtp_Date->setCalendarPopup(false);
    Btn_Clear->setDefault(true);
    connect(Btn_Clear, &QPushButton::clicked, this, &TFrm_Cleanup::Btn_ClearClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn_Clear);
    buttons->addWidget(Btn_Cancel);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(LoadResStr(1616), this);
    setMinimumWidth(label->sizeHint().width() + 80);  // room for the caption
    layout->addWidget(label);
    layout->addWidget(Dtp_Date);
    layout->addLayout(buttons);
}

void TFrm_Cleanup::Btn_ClearClick()
{
    const QDate day = Dtp_Date->date();
    QString why;
    const int calls = CountCallsThrough(store_, day, &why);
    if (calls < 0) {
        ShowError(this, FailureText(3211, why));
        return;
    }
    // A whole log goes on one click: the day and the number of calls are asked about once.
    if (!AskYesNo(this, LoadResStr(3205).arg(day.toString(PickerDateFormat)).arg(calls)))
        return;
    if (DeleteCallsThrough(store_, day, &why))
        ShowNotice(this, LoadResStr(1618));
    else
        ShowError(this, FailureText(3211, why));
}

void RunCleanupDialog(QWidget* parent, TDM_Sys& store)
{
    TFrm_Cleanup dialog(store, parent);
    dialog.exec();
}
