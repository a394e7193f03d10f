#include "maintenance/ui/DialogJob.h"

#include "core/ResStrings.h"
#include "core/ui/ProgressRun.h"

#include <QDialog>

TDialogJob::TDialogJob(QDialog* dialog, QList<QWidget*> buttons)
    : QObject(dialog), dialog_(dialog), buttons_(std::move(buttons))
{
    connect(dialog, &QDialog::finished, this, &TDialogJob::Cancel);
}

void TDialogJob::Run(int textId, TMaintenanceJob::Work work, Then then)
{
    auto* run = new TProgressRun(dialog_, LoadResStr(textId), 100);
    const TCancelFlag cancel = run->Cancel();
    // The progress goes with the dialog: a job still running then has no one to report to.
    connect(run, &QObject::destroyed, [cancel] { *cancel = true; });
    cancel_ = cancel;
    Enable(false);
    TMaintenanceJob* job = TMaintenanceJob::Start(cancel, std::move(work));
    connect(job, &TMaintenanceJob::Progress, run, &TProgressRun::SetValue);
    connect(job, &TMaintenanceJob::Finished, run, [this, run, cancel, then = std::move(then)](bool done, const QString& why) {
        const bool cancelled = *cancel;
        run->Finish();
        cancel_.reset();
        Enable(true);
        then(done, cancelled, why);
    });
}

void TDialogJob::Cancel()
{
    if (cancel_)
        *cancel_ = true;
}

void TDialogJob::Enable(bool enabled)
{
    for (QWidget* button : buttons_)
        button->setEnabled(enabled);
}
