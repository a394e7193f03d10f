#pragma once
// A repeating timer behind a small interface, so that tests move time instead
// of waiting for it (the serial port's reopening every few seconds).
#include <QTimer>
#include <functional>

class IRetryTimer {
public:
    virtual ~IRetryTimer() = default;
    // Fires OnTimeout every intervalMs from now on; a running timer starts again.
    virtual void Start(int intervalMs) = 0;
    virtual void Stop() = 0;
    virtual bool Active() const = 0;

    std::function<void()> OnTimeout;
};

// The real one: a QTimer on the thread that made it.
class TQtRetryTimer final : public IRetryTimer {
public:
    TQtRetryTimer()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (OnTimeout)
                OnTimeout();
        });
    }
    void Start(int intervalMs) override { timer_.start(intervalMs); }
    void Stop() override { timer_.stop(); }
    bool Active() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};
