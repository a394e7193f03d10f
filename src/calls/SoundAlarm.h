#pragma once
// The warning sounds: once a pass, decides from the calls that entered or are
// in a pre-warning state whether to start, keep or stop a sound.
#include "calls/SoundPlayer.h"
#include "core/Config.h"

enum class TSoundMode : uint8_t { None, Once, Loop };

// What one timing pass saw: a call entered pre-warning 1 or 2 in this pass,
// or some call is in it.
struct TSoundWish {
    bool Entered1 = false;
    bool In1 = false;
    bool Entered2 = false;
    bool In2 = false;
};

class TSoundAlarm {
public:
    explicit TSoundAlarm(ISoundPlayer& player) : player_(player) {}

    void Update(const TConfig& cfg, const TSoundWish& wish);

    bool SoundPlaying() const { return soundPlaying_; }
    TSoundMode SoundMode() const { return soundMode_; }
    const QString& SoundFile() const { return soundFile_; }

private:
    ISoundPlayer& player_;
    bool soundPlaying_ = false;  // a sound was wanted in the last pass
    TSoundMode soundMode_ = TSoundMode::None;
    QString soundFile_;
};
