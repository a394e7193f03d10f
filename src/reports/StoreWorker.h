#pragma once
// A thread with its own connection to the data directory, for the back
// office's long reads and writes (history, statistics, exports). The window
// thread, which also handles every received frame, only posts jobs and
// receives results, so it never waits for the back office.
#include "core/CancelFlag.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class TDM_Sys;
struct sqlite3;

class TStoreWorker {
public:
    // The store is opened on the worker thread, in dataDir, before the first job.
    explicit TStoreWorker(const QString& dataDir);
    // Drops the waiting jobs, cancels the running one when it was posted with a
    // cancel flag (its statement is interrupted), and waits for the thread.
    ~TStoreWorker();
    TStoreWorker(const TStoreWorker&) = delete;
    TStoreWorker& operator=(const TStoreWorker&) = delete;

    // A job gets the store (closed when it could not be opened: its statements
    // then fail with the reason) and runs after the jobs posted before it.
    // cancel, when given, is the flag Cancel() stops it by.
    using Job = std::function<void(TDM_Sys& store)>;
    void Post(Job job, TCancelFlag cancel = {});
    // Runs before every waiting job (a page the grid is waiting for).
    void PostFirst(Job job, TCancelFlag cancel = {});

    // Sets cancel; the waiting jobs posted with it are dropped, and when the running
    // job was posted with it, its statement is interrupted (the statement then fails:
    // the job, seeing its flag, reports nothing). Safe from any thread at any time,
    // also when no statement runs.
    void Cancel(const TCancelFlag& cancel);

    // True once the worker is being destroyed: a long job checks it between its
    // pieces (beside its own cancel flag) and ends early.
    bool Stopping() const { return stop_; }
    // The reason the store could not be opened; empty when it is open.
    QString OpenError() const;

private:
    struct TQueued {
        Job Run;
        TCancelFlag Cancel;
    };
    void Run();

    const QString dataDir_;
    mutable std::mutex mutex_;   // also keeps the connection open while it is interrupted
    std::condition_variable wake_;
    std::deque<TQueued> jobs_;
    TCancelFlag running_;        // the flag of the job running now
    sqlite3* connection_ = nullptr;  // the worker's own, while it is open
    QString openError_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
