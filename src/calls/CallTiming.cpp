#include "calls/CallTiming.h"

uint8_t RecordState(const TConfig& cfg, uint32_t elapsed)
{
    if (elapsed > cfg.PreWarn3Time)
        return CallTimedOut;
    if (elapsed > cfg.PreWarn2Time)
        return CallPreWarn2;
    if (elapsed > cfg.PreWarn1Time)
        return CallPreWarn1;
    return CallWaiting;
}

uint8_t ViewState(const TConfig& cfg, uint32_t elapsed)
{
    const uint8_t state = RecordState(cfg, elapsed);
    if (state == CallWaiting && elapsed == cfg.PreWarn1Time)
        return CallPreWarn1;
    return state;
}

const QString& StateText(const TStateTexts& texts, uint8_t state)
{
    switch (state) {
    case CallPreWarn1:
        return texts.PreWarn1SvrText;
    case CallPreWarn2:
        return texts.PreWarn2SvrText;
    case CallTimedOut:
        return texts.PreWarn3SvrText;
    default:
        return texts.NormalSvrText;
    }
}
