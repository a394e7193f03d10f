#include "DumpSession.h"

#include "Args.h"
#include "Console.h"
#include "sim/Frames.h"
#include "Noise.h"

namespace sim {

DumpSession::DumpSession(std::mt19937& random, int noiseBetween) : random_(random), noiseBetween_(noiseBetween) {}

std::optional<double> DumpSession::send(const QByteArray& frame)
{
    if (noiseBetween_ > 0)
        sendNoise(std::uniform_int_distribution<int>(0, noiseBetween_)(random_));
    say(QStringLiteral("send ") + hexText(frame));
    if (const auto ack = acknowledgementFor(frame))
        say(QStringLiteral("expect ") + hexText(*ack));
    return std::nullopt;
}

void DumpSession::sendNoise(int count)
{
    if (count > 0)
        say(QStringLiteral("send ") + hexText(noiseBytes(random_, count)));
}

} // namespace sim
