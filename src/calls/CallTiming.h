#pragma once
// Call states by elapsed seconds against the three thresholds of the settings.
#include "core/Config.h"

#include <cstdint>

constexpr uint8_t CallWaiting = 0;
constexpr uint8_t CallPreWarn1 = 1;
constexpr uint8_t CallPreWarn2 = 2;
constexpr uint8_t CallTimedOut = 3;

// The state a live record takes: every limit is strict.
uint8_t RecordState(const TConfig& cfg, uint32_t elapsed);
// The state the grids and the popup window show: pre-warning 1 already at
// PreWarn1Time, a second before the record itself reaches it.
uint8_t ViewState(const TConfig& cfg, uint32_t elapsed);
// The state text of a state 0-3.
const QString& StateText(const TStateTexts& texts, uint8_t state);
