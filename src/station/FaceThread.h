#pragma once
// The worker thread: it only paces the window thread, having it parse received
// frames at once when bytes arrive and refresh the live calls about once a second.
#include <QSemaphore>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

class IClock;

// What the worker has the window thread run, one request at a time.
struct TFaceWork {
    std::function<void()> ReloadLayouts;  // rebuild the layout tree and relink the live calls
    std::function<void()> ParseRecvData;
    std::function<void()> RefreshCallRecordState;
};

class TFaceThread final : public QThread {
public:
    // context: an object living on the window thread, on which the work runs.
    // cycleMs: the longest wait for received bytes; the refresh follows the clock's tick.
    TFaceThread(QObject* context, const IClock& clock, TFaceWork work, int cycleMs = 1000);
    ~TFaceThread() override;

    // The receive event: wakes the worker at once.
    void PulseRecvEvent();
    // Raised when a saved layout edit must reach the window thread's tree.
    void RaiseLayoutChange();
    // Ends the loop: no further work is run for the worker, and neither thread waits on the other.
    void Stop();

protected:
    void run() override;

private:
    // Has the window thread run fn; false when stopping began before it finished.
    bool RunOnWindowThread(const std::function<void()>& fn);
    void WaitForRecvEvent(int ms);

    QObject* context_;
    const IClock& clock_;
    TFaceWork work_;
    int cycleMs_;

    std::mutex eventLock_;
    std::condition_variable eventCond_;
    bool recvEvent_ = false;

    QSemaphore workSemaphore_{1};
    std::atomic<bool> stopping_{false};
    std::atomic<uint8_t> layoutChangeCount_{0};
};
