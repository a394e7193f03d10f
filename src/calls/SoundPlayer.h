#pragma once
// The warning-sound service: play a wave file once or in a loop, without
// waiting; stop whatever plays. Starting a sound ends the one playing.
#include <QString>

class ISoundPlayer {
public:
    virtual ~ISoundPlayer() = default;
    virtual void PlayOnce(const QString& file) = 0;
    virtual void PlayLoop(const QString& file) = 0;
    virtual void Stop() = 0;
};
