#include "comm/LinkReport.h"

#include "core/Clock.h"

TLinkReport::TLinkReport(const IClock& clock, std::function<TLinkCounts()> read)
    : clock_(clock), read_(std::move(read)), lastLook_(clock.Tick())
{
}

std::optional<QString> TLinkReport::Due()
{
    const uint32_t now = clock_.Tick();
    if (static_cast<uint32_t>(now - lastLook_) < IntervalMs)
        return std::nullopt;
    lastLook_ = now;
    const TLinkCounts counts = read_();
    if (counts == said_)
        return std::nullopt;
    said_ = counts;
    return LinkCountsLine(counts);
}

QString TLinkReport::Final()
{
    said_ = read_();
    return LinkCountsLine(said_);
}
