#include "maintenance/ui/RestoreDialog.h"

#include "core/Failure.h"
#include "core/ResStrings.h"
#include "core/ui/Messages.h"
#include "core/ui/StationDialog.h"
#include "maintenance/FailureText.h"
#include "maintenance/ui/DialogJob.h"
#include "maintenance/ui/ItemChecklist.h"
#include "maintenance/ui/StationFollowUp.h"
#include "station/Station.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFrm_Restore::TFrm_Restore(TRestoreTarget target, QWidget* parent)
    : QDialog(parent),
      Edt_Source(new QLineEdit(this)),
      Lst_Items(NewItemChecklist(this)),
      Btn_Source(new QPushButton(LoadResStr(1608), this)),
      Btn_Restore(new QPushButton(LoadResStr(1609), this)),
      target_(std::move(target)),
      job_(new TDialogJob(this, {Lst_Items, Btn_Source, Btn_Restore}))
{
    SetupStationDialog(this, 228);
    Edt_Source->setReadOnly(true);
    Edt_Source->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('W')) * 24);
    EnableItems(Lst_Items, 0);
    ChooseSource = [this] { return QFileDialog::getOpenFileName(this, windowTitle()); };
    connect(Btn_Source, &QPushButton::clicked, this, &TFrm_Restore::Btn_SourceClick);
    connect(Btn_Restore, &QPushButton::clicked, this, &TFrm_Restore::Btn_RestoreClick);

    auto* source = new QHBoxLayout;
    source->addWidget(new QLabel(LoadResStr(1608), this));
    source->addWidget(Edt_Source, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn_Source);
    buttons->addWidget(Btn_Restore);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(source);
    layout->addWidget(Lst_Items);
    layout->addLayout(buttons);
}

void TFrm_Restore::Btn_SourceClick()
{
    const QString path = ChooseSource();
    if (path.isEmpty())
        return;
    Edt_Source->setText(QDir::toNativeSeparators(path));
    EnableItems(Lst_Items, 0);
    switch (backup_.Open(path)) {
    case TBackupOpen::CannotOpen:
        ShowError(this, LoadResStr(1610));
        break;
    case TBackupOpen::Invalid:
        ShowError(this, LoadResStr(1611));
        break;
    case TBackupOpen::Ok:
        EnableItems(Lst_Items, backup_.Mask());
        break;
    }
}

void TFrm_Restore::Btn_RestoreClick()
{
    const uint32_t items = TickedItems(Lst_Items);
    if (items == 0) {
        ShowError(this, LoadResStr(1612));
        return;
    }
    if (!AskYesNo(this, LoadResStr(1613)))
        return;
    // Everything is written out and checked off the window thread; only the swap runs here.
    auto staged = std::make_shared<TStagedRestore>();
    const QString source = backup_.Path();
    const QString dataDir = target_.DataDir;
    job_->Run(
        3217,
        [staged, source, items, dataDir](const TJobProgress& progress, QString* why) {
            // A handle of its own: the dialog's stays with the dialog.
            TBackupFile backup;
            if (backup.Open(source) != TBackupOpen::Ok)
                return Fail(why, LoadResStr(1611));
            return staged->Stage(backup, items, dataDir, why, progress);
        },
        [this, staged](bool done, bool cancelled, const QString& why) {
            // Cancelled before the swap: the staged files go, the data stays as it was.
            if (cancelled) {
                staged->Discard();
                return;
            }
            QString reason = why;
            if (done && staged->SwapIn(target_, &reason))
                ShowNotice(this, LoadResStr(1615));
            else
                ShowError(this, FailureText(1614, reason));
            if (Finished)
                Finished();
        });
}

void RunRestoreDialog(QWidget* mainWindow, TStation& station, IMainFace& face, TLoginMsg& login,
                      const std::function<void()>& loginChanged)
{
    TStationFollowUp followUp(station, face, mainWindow, login, loginChanged);
    TFrm_Restore dialog(followUp.Target(station.Environment().DataDir), mainWindow);
    dialog.Finished = [&] { followUp.Report(&dialog); };
    dialog.exec();
}
