#include "maintenance/ui/CleanupDialog.h"

#include "core/DataStore.h"
#include "core/ResStrings.h"
#include "core/ui/Messages.h"
#include "core/ui/StationDialog.h"
#include "maintenance/Cleanup.h"
#include "maintenance/FailureText.h"
#include "maintenance/ui/DialogJob.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFrm_Cleanup::TFrm_Cleanup(TDM_Sys& store, const QString& pickerFormat, QWidget* parent)
    : QDialog(parent),
      Dtp_Date(new QDateEdit(QDate::currentDate(), this)),
      Btn_Clear(new QPushButton(LoadResStr(1617), this)),
      Btn_Cancel(new QPushButton(LoadResStr(102), this)),
      store_(store),
      pickerFormat_(pickerFormat),
      job_(new TDialogJob(this, {Dtp_Date, Btn_Clear}))
{
    SetupStationDialog(this, 229);
    Dtp_Date->setDisplayFormat(pickerFormat_);
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
    // Counting and deleting run on connections of their own, off the window thread.
    const QDate day = Dtp_Date->date();
    const QString dataDir = store_.DataDirectory();
    auto calls = std::make_shared<int>(-1);
    job_->Run(
        3218,
        [day, dataDir, calls](const TJobProgress&, QString* why) {
            TDM_Sys store;
            *calls = store.Open(dataDir, why) ? CountCallsThrough(store, day, why) : -1;
            return *calls >= 0;
        },
        [this, day, dataDir, calls](bool done, bool cancelled, const QString& why) {
            if (cancelled)
                return;
            if (!done) {
                ShowError(this, FailureText(3211, why));
                return;
            }
            // A whole log goes on one click: the day and the number of calls are asked about once.
            if (!AskYesNo(this, LoadResStr(3205).arg(day.toString(pickerFormat_)).arg(*calls)))
                return;
            Delete(day, dataDir);
        });
}

void TFrm_Cleanup::Delete(const QDate& day, const QString& dataDir)
{
    job_->Run(
        3218,
        [day, dataDir](const TJobProgress& progress, QString* why) {
            TDM_Sys store;
            return store.Open(dataDir, why) && DeleteCallsThrough(store, day, why, progress);
        },
        [this](bool done, bool cancelled, const QString& why) {
            // A cancelled cleanup deleted nothing.
            if (done)
                ShowNotice(this, LoadResStr(1618));
            else if (!cancelled)
                ShowError(this, FailureText(3211, why));
        });
}

void RunCleanupDialog(QWidget* parent, TDM_Sys& store, const QString& pickerFormat)
{
    TFrm_Cleanup dialog(store, pickerFormat, parent);
    dialog.exec();
}
