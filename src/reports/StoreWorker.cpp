#include "reports/StoreWorker.h"

#include "core/DataStore.h"

#include <QSqlDriver>
#include <algorithm>
#include <sqlite3.h>

namespace {

// The engine's own handle of a QSQLITE connection, for the one call made on it
// from another thread: sqlite3_interrupt.
sqlite3* EngineHandle(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

}  // namespace

TStoreWorker::TStoreWorker(const QString& dataDir) : dataDir_(dataDir), thread_([this] { Run(); }) {}

TStoreWorker::~TStoreWorker()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        jobs_.clear();
        // A job posted without a flag (a write, perhaps) is waited for as it is.
        if (running_ && connection_) {
            *running_ = true;
            sqlite3_interrupt(connection_);
        }
    }
    wake_.notify_all();
    thread_.join();
}

void TStoreWorker::Post(Job job, TCancelFlag cancel)
{
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back({std::move(job), std::move(cancel)});
    }
    wake_.notify_one();
}

void TStoreWorker::PostFirst(Job job, TCancelFlag cancel)
{
    {
        std::lock_guard lock(mutex_);
        jobs_.push_front({std::move(job), std::move(cancel)});
    }
    wake_.notify_one();
}

void TStoreWorker::Cancel(const TCancelFlag& cancel)
{
    if (!cancel)
        return;
    *cancel = true;
    std::lock_guard lock(mutex_);
    std::erase_if(jobs_, [&](const TQueued& queued) { return queued.Cancel == cancel; });
    // A statement of another job is left alone; with none running this does nothing.
    if (running_ == cancel && connection_)
        sqlite3_interrupt(connection_);
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
    const bool open = store.Open(dataDir_, &error);
    {
        std::lock_guard lock(mutex_);
        openError_ = error;
        connection_ = open ? EngineHandle(store.Database()) : nullptr;
    }
    for (;;) {
        TQueued job;
        {
            std::unique_lock lock(mutex_);
            running_.reset();
            wake_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
            if (stop_)
                break;
            job = std::move(jobs_.front());
            jobs_.pop_front();
            running_ = job.Cancel;
        }
        if (!job.Cancel || !*job.Cancel)
            job.Run(store);
    }
    // No interrupt may reach the connection once it closes.
    std::lock_guard lock(mutex_);
    connection_ = nullptr;
}
