#pragma once
// A thread with its own connection to the data directory, for the back
// office's long reads and writes (history, statistics, exports). The window
// thread, which also handles every received frame, only posts jobs and
// receives results, so it never waits for the back office.
#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class TDM_Sys;

class TStoreWorker {
public:
    // The store is opened on the worker thread, in dataDir, before the first job.
    explicit TStoreWorker(const QString& dataDir);
    // Cancels the running job, drops the waiting ones and waits for the thread.
    ~TStoreWorker();
    TStoreWorker(const TStoreWorker&) = delete;
    TStoreWorker& operator=(const TStoreWorker&) = delete;

    // A job gets the store (closed when it could not be opened: its statements
    // then fail with the reason) and runs after the jobs posted before it.
    using Job = std::function<void(TDM_Sys& store)>;
    void Post(Job job);
    // Runs before every waiting job (a page the grid is waiting for).
    void PostFirst(Job job);

    // True once the worker is being destroyed: a long job checks it between its
    // pieces (beside its own cancel flag) and ends early.
    bool Stopping() const { return stop_; }
    // The reason the store could not be opened; empty when it is open.
    QString OpenError() const;

private:
    void Run();

    const QString dataDir_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    QString openError_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
