// Line noise the station must skip: random bytes that never include the sync byte.
#pragma once

#include <QByteArray>
#include <random>

namespace sim {

QByteArray noiseBytes(std::mt19937& random, int count);

} // namespace sim
