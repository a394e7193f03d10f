#pragma once
// The work a maintenance dialog runs off the window thread: one job at a time,
// behind the progress dialog whose cancel button cancels it; the dialog's own
// buttons are disabled meanwhile, and closing the dialog cancels it too. Nothing
// on the window thread waits for the job.
#include "maintenance/MaintenanceJob.h"

#include <QList>
#include <QObject>
#include <functional>

class QDialog;
class QWidget;

class TDialogJob final : public QObject {
    Q_OBJECT
public:
    // done: the work went through; cancelled: the job was cancelled before its outcome
    // came back (whatever the work did, the dialog then does nothing more with it).
    using Then = std::function<void(bool done, bool cancelled, const QString& why)>;

    // buttons: disabled while a job runs.
    TDialogJob(QDialog* dialog, QList<QWidget*> buttons);

    // Starts work; then runs on the window thread when it has ended, unless the dialog is gone.
    void Run(int textId, TMaintenanceJob::Work work, Then then);
    bool Running() const { return cancel_ != nullptr; }
    void Cancel();

private:
    void Enable(bool enabled);

    QDialog* dialog_;
    QList<QWidget*> buttons_;
    TCancelFlag cancel_;
};
