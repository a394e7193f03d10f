#include "layout/PointState.h"

TPointColors PointColors(const TConfig& cfg, uint8_t callState)
{
    switch (callState) {
    case 0:
        return {cfg.NormalBkColor, cfg.NormalTxtColor};
    case 1:
        return {cfg.PreWarn1BkColor, cfg.PreWarn1TxtColor};
    case 2:
        return {cfg.PreWarn2BkColor, cfg.PreWarn2TxtColor};
    case 3:
        return {cfg.PreWarn3BkColor, cfg.PreWarn3TxtColor};
    default:
        return {SkyBlue, 0};
    }
}

bool UpdatePointColors(const TConfig& cfg, TLayOutPoint& point)
{
    const TPointColors c = PointColors(cfg, point.CallState);
    if (c.Bk == point.BkColor && c.Txt == point.TxtColor && point.CallKey == point.DrawnKey)
        return false;
    point.BkColor = c.Bk;
    point.TxtColor = c.Txt;
    point.DrawnKey = point.CallKey;
    return true;
}
