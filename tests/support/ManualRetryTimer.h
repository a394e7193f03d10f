#pragma once
// A retry timer that stands still until the test moves time on.
#include "core/RetryTimer.h"

class ManualRetryTimer final : public IRetryTimer {
public:
    void Start(int intervalMs) override
    {
        interval_ = intervalMs;
        elapsed_ = 0;
        active_ = true;
    }
    void Stop() override { active_ = false; }
    bool Active() const override { return active_; }

    // Moves time on by ms: fires once for every whole interval that passes while it runs.
    void Advance(int ms)
    {
        elapsed_ += ms;
        while (active_ && interval_ > 0 && elapsed_ >= interval_) {
            elapsed_ -= interval_;
            ++fired_;
            if (OnTimeout)
                OnTimeout();
        }
    }
    int Fired() const { return fired_; }

private:
    int interval_ = 0;
    int elapsed_ = 0;
    int fired_ = 0;
    bool active_ = false;
};
