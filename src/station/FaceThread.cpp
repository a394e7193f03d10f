#include "station/FaceThread.h"

#include "core/Clock.h"
#include "core/PostTo.h"

#include <memory>

namespace {
constexpr int WorkSemaphoreWaitMs = 100;
constexpr uint32_t RefreshAfterMs = 990;
constexpr int StopCheckMs = 20;
}  // namespace

TFaceThread::TFaceThread(QObject* context, const IClock& clock, TFaceWork work, int cycleMs)
    : context_(context), clock_(clock), work_(std::move(work)), cycleMs_(cycleMs)
{
}

TFaceThread::~TFaceThread()
{
    Stop();
    wait();
}

void TFaceThread::PulseRecvEvent()
{
    {
        std::lock_guard<std::mutex> lock(eventLock_);
        recvEvent_ = true;
    }
    eventCond_.notify_one();
}

void TFaceThread::RaiseLayoutChange()
{
    ++layoutChangeCount_;
    PulseRecvEvent();
}

void TFaceThread::Stop()
{
    stopping_ = true;
    PulseRecvEvent();
}

void TFaceThread::WaitForRecvEvent(int ms)
{
    // Bytes that arrive during a cycle keep the event set, so they are parsed
    // in the next cycle at once rather than after the time-out.
    std::unique_lock<std::mutex> lock(eventLock_);
    eventCond_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return recvEvent_; });
    recvEvent_ = false;
}

bool TFaceThread::RunOnWindowThread(const std::function<void()>& fn)
{
    if (!fn)
        return true;
    auto done = std::make_shared<QSemaphore>(0);
    const std::atomic<bool>* stopping = &stopping_;
    // The request checks the stop flag when it runs: once closing has begun
    // the window thread runs nothing more for the worker.
    PostTo(context_, [fn, done, stopping] {
        if (!stopping->load())
            fn();
        done->release();
    });
    while (!done->tryAcquire(1, StopCheckMs)) {
        if (stopping_)
            return false;
    }
    return true;
}

void TFaceThread::run()
{
    uint8_t seenLayoutChange = layoutChangeCount_;
    bool refreshedOnce = false;
    uint32_t last = 0;
    while (!stopping_) {
        WaitForRecvEvent(cycleMs_);
        if (stopping_)
            break;
        if (!workSemaphore_.tryAcquire(1, WorkSemaphoreWaitMs))
            continue;
        bool ok = true;
        const uint8_t change = layoutChangeCount_;
        if (change != seenLayoutChange) {
            seenLayoutChange = change;
            ok = RunOnWindowThread(work_.ReloadLayouts);
        }
        ok = ok && RunOnWindowThread(work_.ParseRecvData);
        // The tick is read before the refresh: a clock that moves while the refresh runs counts
        // towards the next one instead of being lost.
        const uint32_t now = clock_.Tick();
        if (ok && (!refreshedOnce || static_cast<uint32_t>(now - last) > RefreshAfterMs)) {
            ok = RunOnWindowThread(work_.RefreshCallRecordState);
            last = now;
            refreshedOnce = true;
        }
        workSemaphore_.release();
    }
}
