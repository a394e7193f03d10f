#pragma once
// The headless station's face: one readable line per event on standard output,
// so the station also serves as a console call logger.
#include "calls/CallEvents.h"
#include "calls/SoundPlayer.h"
#include "central/CentralLink.h"

#include <QTextStream>
#include <optional>

struct TConfig;

class TConsoleEvents final : public ICallEvents {
public:
    // cfg: the station's settings, whose service type names the lines use.
    explicit TConsoleEvents(const TConfig& cfg);
    void PortStatus(const QString& text, bool isError);
    void CallLogStatus(const QString& text, bool isError);
    // One line when the central link comes or goes, with the calls waiting.
    void CentralLink(const TCentralLinkState& state);
    void Line(const QString& text);

    void CallOpened(const TCallRecord& rec, const QString& eventText) override;
    void CallServed(const TCallRecord& rec, const QString& server, const QTime& cancelTime,
                    int durationSeconds) override;
    void CallTimedOut(const TCallRecord& rec, uint32_t seconds) override;
    void CallRestored(const TCallRecord& rec, const QString& eventText) override;
    void StoreError(const QString& error) override;

private:
    const TConfig& cfg_;
    QTextStream out_;
    std::optional<TCentralLinkState::TLink> centralLink_;
};

// Tells the console which warning sound plays, and passes it on to a real player when given.
class TConsoleSound final : public ISoundPlayer {
public:
    TConsoleSound(TConsoleEvents& console, ISoundPlayer* inner) : console_(console), inner_(inner) {}
    void PlayOnce(const QString& file) override;
    void PlayLoop(const QString& file) override;
    void Stop() override;

private:
    TConsoleEvents& console_;
    ISoundPlayer* inner_;
};
