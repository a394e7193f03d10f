#pragma once
// Warning sounds through Qt Multimedia.
#include "calls/SoundPlayer.h"

#include <memory>

class QSoundEffect;

class TSoundEffectPlayer final : public ISoundPlayer {
public:
    TSoundEffectPlayer();
    ~TSoundEffectPlayer() override;
    void PlayOnce(const QString& file) override;
    void PlayLoop(const QString& file) override;
    void Stop() override;

private:
    void Play(const QString& file, int loops);
    std::unique_ptr<QSoundEffect> effect_;
};
