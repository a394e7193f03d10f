#include "maintenance/MaintenanceJob.h"

#include <QThread>

TMaintenanceJob* TMaintenanceJob::Start(TCancelFlag cancel, Work work)
{
    auto* job = new TMaintenanceJob;
    QThread* thread = QThread::create([job, cancel = std::move(cancel), work = std::move(work)] {
        const TJobProgress progress(cancel, [job](int permille) { emit job->Progress(permille); });
        QString why;
        const bool done = work(progress, &why);
        emit job->Finished(done, why);
    });
    // Both live on the starting thread and go once the work has ended there.
    connect(thread, &QThread::finished, job, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    return job;
}
