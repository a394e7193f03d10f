#pragma once
// Time sources of the station, injected so that tests can move time.
#include <QDate>
#include <QTime>
#include <atomic>
#include <cstdint>

class IClock {
public:
    virtual ~IClock() = default;
    // Millisecond up-time counter; 32 bits, wraps at 2^32.
    virtual uint32_t Tick() const = 0;
    // The station's wall clock.
    virtual QDate Today() const = 0;
    virtual QTime TimeOfDay() const = 0;
};

// The real clocks: a monotonic millisecond counter and the local time.
// A rate above 1 runs the tick that many times faster (used to run long
// service times through whole-process tests quickly).
class SystemClock final : public IClock {
public:
    explicit SystemClock(uint32_t rate = 1) : rate_(rate ? rate : 1) {}
    uint32_t Rate() const { return rate_; }
    uint32_t Tick() const override;
    QDate Today() const override;
    QTime TimeOfDay() const override;

private:
    uint32_t rate_;
};

// A clock that stands still until told to move (tests, simulations). The tick is
// read by the worker thread while the test moves it, so it is atomic.
class ManualClock final : public IClock {
public:
    uint32_t Tick() const override { return tick_.load(); }
    QDate Today() const override { return date_; }
    QTime TimeOfDay() const override { return time_; }

    void SetTick(uint32_t t) { tick_ = t; }
    void Advance(uint32_t ms) { tick_ += ms; time_ = time_.addMSecs(static_cast<int>(ms)); }
    void SetDate(const QDate& d) { date_ = d; }
    void SetTime(const QTime& t) { time_ = t; }

private:
    std::atomic<uint32_t> tick_{0};
    QDate date_ = QDate(2026, 12, 8);
    QTime time_ = QTime(12, 0, 0);
};
