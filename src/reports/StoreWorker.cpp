#include "reports/StoreWorker.h"

#include "core/DataStore.h"

TStoreWorker::TStoreWorker(const QString& dataDir) : dataDir_(dataDir), thread_([this] { Run(); }) {}

TStoreWorker::~TStoreWorker()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    thread_.join();
}

void TStoreWorker::Post(Job job)
{
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void TStoreWorker::PostFirst(Job job)
{
    {
        std::lock_guard lock(mutex_);
        jobs_.push_front(std::move(job));
    }
    wake_.notify_one();
}

QString TStoreWorker::OpenError() const
{
    std::lock_guard lock(mutex_);
    return openError_;
}

void TStoreWorker::Run()
{
    // Qt SQL connections belong to the thread that opened them: this one is
    // opened, used and closed here only.
    TDM_Sys store;
    QString error;
    if (!store.Open(dataDir_, &error)) {
        std::lock_guard lock(mutex_);
        openError_ = error;
    }
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
            if (stop_)
                break;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job(store);
    }
}
