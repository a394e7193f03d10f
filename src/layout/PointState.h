#pragma once
// A call point's colours follow the state of the call that governs it.
#include "layout/LayoutModel.h"

// Stores the colours of the point's CallState and its CallKey as drawn;
// true when any of them changed, so the point's image must be repainted.
bool UpdatePointColors(const TConfig& cfg, TLayOutPoint& point);
