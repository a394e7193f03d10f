#include "comm/LinkCounters.h"

#include "comm/FrameHandler.h"
#include "comm/FrameSync.h"
#include "comm/RecvRing.h"

TLinkCounts ReadLinkCounts(const TRecvRing& ring, const TFrameSync& sync, const TFrameHandler& handler)
{
    TLinkCounts counts;
    counts.Received = ring.Received.Value();
    // Bytes lost to a full ring never reach the synchroniser: they are skipped all the same.
    counts.Skipped = sync.Skipped.Value() + ring.Lost.Value();
    counts.Frames = handler.Frames.Value();
    counts.Dropped = handler.Dropped.Value();
    counts.Acks = handler.Acks.Value();
    counts.AckFailed = handler.AckFailed.Value();
    return counts;
}

QString LinkCountsLine(const TLinkCounts& c)
{
    return QStringLiteral("link counters: received=%1 skipped=%2 frames=%3 dropped=%4 acks=%5 ackfailed=%6")
        .arg(c.Received)
        .arg(c.Skipped)
        .arg(c.Frames)
        .arg(c.Dropped)
        .arg(c.Acks)
        .arg(c.AckFailed);
}
