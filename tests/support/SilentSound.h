#pragma once
// A sound player that plays nothing, for stations run by tests.
#include "calls/SoundPlayer.h"

class SilentSound final : public ISoundPlayer {
public:
    void PlayOnce(const QString&) override {}
    void PlayLoop(const QString&) override {}
    void Stop() override {}
};
