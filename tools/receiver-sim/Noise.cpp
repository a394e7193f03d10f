#include "Noise.h"

#include "sim/Frames.h"

namespace sim {

QByteArray noiseBytes(std::mt19937& random, int count)
{
    // 255 equally likely values: 0x00-0xFF without the sync byte.
    std::uniform_int_distribution<int> value(0, 254);
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        const int v = value(random);
        bytes.append(char(v >= kSync ? v + 1 : v));
    }
    return bytes;
}

} // namespace sim
