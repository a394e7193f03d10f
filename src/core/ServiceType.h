#pragma once
// The name of a call key, from the service types of the settings: shown on a
// called point, in the call lists and written to the call log.
#include <QString>
#include <cstdint>

struct TConfig;

// Name of a call key: 11 the second service type, 12 the first, 13 the third, else "Unknow".
QString ServiceTypeText(const TConfig& cfg, uint8_t key);
