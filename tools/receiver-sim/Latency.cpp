#include "Latency.h"

#include "Console.h"
#include "sim/Frames.h"
#include "Session.h"
#include "Stop.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace sim {

namespace {

constexpr quint8 kLatencyKey = 11;

QByteArray latencyFrame(const Header& header, bool call, quint16 address)
{
    return call ? midFrame(header, kMidCall, 0, address, kLatencyKey, bcdNow())
                : midFrame(header, kMidCancel, 0, address, 0, bcdNow());
}

// The report line for the acknowledged samples (nearest-rank percentiles).
QString latencyReport(std::vector<double> samplesMs)
{
    if (samplesMs.empty())
        return QStringLiteral("latency n=0");
    std::sort(samplesMs.begin(), samplesMs.end());
    const size_t n = samplesMs.size();
    const double median = n % 2 != 0 ? samplesMs[n / 2] : (samplesMs[n / 2 - 1] + samplesMs[n / 2]) / 2;
    const size_t p99Rank = size_t(std::ceil(0.99 * double(n)));
    return QStringLiteral("latency n=%1 median_ms=%2 p99_ms=%3 max_ms=%4")
        .arg(n)
        .arg(median, 0, 'f', 3)
        .arg(samplesMs[p99Rank - 1], 0, 'f', 3)
        .arg(samplesMs.back(), 0, 'f', 3);
}

} // namespace

void measureLatency(Session& session, const Header& header, int count, quint16 address)
{
    std::vector<double> samples;
    for (int i = 0; i < count && !stopRequested(); ++i) {
        if (const auto ms = session.send(latencyFrame(header, i % 2 == 0, address)))
            samples.push_back(*ms);
    }
    if (count % 2 != 0 && !stopRequested())
        session.send(latencyFrame(header, false, address));
    say(latencyReport(std::move(samples)));
}

} // namespace sim
