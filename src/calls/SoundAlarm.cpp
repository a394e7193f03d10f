#include "calls/SoundAlarm.h"

void TSoundAlarm::Update(const TConfig& cfg, const TSoundWish& wish)
{
    bool wanted = false;
    QString file;
    TSoundMode mode = TSoundMode::None;
    // Play mode 1 sounds once when a call enters the state, 2 loops while any call is in it, 0 is mute.
    const auto consider = [&](uint8_t playMode, bool entered, bool in, const QString& wav) {
        if ((playMode == 1 && entered) || (playMode == 2 && (entered || in))) {
            file = wav;
            mode = playMode == 1 ? TSoundMode::Once : TSoundMode::Loop;
            wanted = true;
        }
    };
    consider(cfg.PreWarnWavePlayMode1, wish.Entered1, wish.In1, cfg.PreWarnWav1);
    // Pre-warning 2 overrides pre-warning 1.
    consider(cfg.PreWarnWavePlayMode2, wish.Entered2, wish.In2, cfg.PreWarnWav2);

    if (wanted) {
        // A loop of the same file that is still looping goes on undisturbed.
        const bool keepLoop = file == soundFile_ && mode == TSoundMode::Loop && soundPlaying_
                              && soundMode_ == TSoundMode::Loop;
        if (!keepLoop) {
            if (mode == TSoundMode::Loop)
                player_.PlayLoop(file);
            else
                player_.PlayOnce(file);
        }
    } else if (soundPlaying_) {
        player_.Stop();
    }
    soundFile_ = file;
    soundMode_ = mode;
    soundPlaying_ = wanted;
}
