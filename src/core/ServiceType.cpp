#include "core/ServiceType.h"

#include "core/Config.h"

QString ServiceTypeText(const TConfig& cfg, uint8_t key)
{
    switch (key) {
    case 11:
        return cfg.ServerType2;
    case 12:
        return cfg.ServerType1;
    case 13:
        return cfg.ServerType3;
    default:
        return QStringLiteral("Unknow");
    }
}
