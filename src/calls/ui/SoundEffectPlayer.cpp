#include "calls/ui/SoundEffectPlayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

TSoundEffectPlayer::TSoundEffectPlayer() : effect_(std::make_unique<QSoundEffect>()) {}

TSoundEffectPlayer::~TSoundEffectPlayer() = default;

void TSoundEffectPlayer::Play(const QString& file, int loops)
{
    effect_->stop();
    // A missing file is no error for the call: the pass goes on silently.
    if (file.isEmpty() || !QFileInfo::exists(file))
        return;
    const QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    if (effect_->source() != url)
        effect_->setSource(url);
    effect_->setLoopCount(loops);
    effect_->play();
}

void TSoundEffectPlayer::PlayOnce(const QString& file) { Play(file, 1); }

void TSoundEffectPlayer::PlayLoop(const QString& file) { Play(file, QSoundEffect::Infinite); }

void TSoundEffectPlayer::Stop() { effect_->stop(); }
