#include "maintenance/MaintenanceJob.h"

#include <QThread>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

// The window thread, which acknowledges the receiver's frames, goes first. Qt's thread
// priorities do nothing under Linux's normal scheduling; there a thread has a nice value
// of its own.
constexpr int JobNiceness = 10;

void YieldToTheWindowThread()
{
#ifdef Q_OS_LINUX
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), JobNiceness);
#endif
}

}  // namespace

TMaintenanceJob* TMaintenanceJob::Start(TCancelFlag cancel, Work work)
{
    auto* job = new TMaintenanceJob;
    QThread* thread = QThread::create([job, cancel = std::move(cancel), work = std::move(work)] {
        YieldToTheWindowThread();
        const TJobProgress progress(cancel, [job](int percent) { emit job->Progress(percent); });
        QString why;
        const bool done = work(progress, &why);
        emit job->Finished(done, why);
    });
    // Both live on the starting thread and go once the work has ended there.
    connect(thread, &QThread::finished, job, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::LowPriority);
    return job;
}
