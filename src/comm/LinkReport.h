#pragma once
// When the headless station says its link counters: every ten minutes of the
// station's clock when they changed since it last said them, and at shutdown.
#include "comm/LinkCounters.h"

#include <QString>
#include <functional>
#include <optional>

class IClock;

class TLinkReport {
public:
    static constexpr uint32_t IntervalMs = 10 * 60 * 1000;

    // read: the counters as they stand now.
    TLinkReport(const IClock& clock, std::function<TLinkCounts()> read);

    // Asked often (every second or so): the counters' line once an interval has passed
    // since the last look and they changed since the last line; nothing otherwise.
    std::optional<QString> Due();
    // At shutdown: the counters' line, changed or not.
    QString Final();

private:
    const IClock& clock_;
    std::function<TLinkCounts()> read_;
    uint32_t lastLook_;
    TLinkCounts said_;
};
