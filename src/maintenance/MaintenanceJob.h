#pragma once
// A piece of maintenance work on a thread of its own, so that the window thread,
// which also acknowledges the receiver's frames, never waits for it. The job
// reports through queued signals to receivers on the window thread; a receiver
// that is gone by then simply misses them. Nothing waits for the thread: a
// cancelled job ends by itself, and the job and its thread delete themselves.
#include "maintenance/JobProgress.h"

#include <QObject>
#include <QString>
#include <functional>

class TMaintenanceJob final : public QObject {
    Q_OBJECT
public:
    // The work: false with the reason when it failed or saw progress cancelled.
    using Work = std::function<bool(const TJobProgress& progress, QString* why)>;

    // Starts work at once; cancel is the flag that the one who started it sets.
    static TMaintenanceJob* Start(TCancelFlag cancel, Work work);

signals:
    void Progress(int percent);
    void Finished(bool done, const QString& why);

private:
    TMaintenanceJob() = default;
};
