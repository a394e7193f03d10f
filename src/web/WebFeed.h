#pragma once
// On the window thread: turns the call tracker's events into the web page's live calls and its
// event stream (opened, served, state, timedout, link), handing both to the hub.
#include "calls/CallEvents.h"
#include "web/WebHub.h"

#include <vector>

class IClock;
class TCallRecordList;
struct TConfig;

class TWebFeed final : public ICallEvents {
public:
    // records: the tracker's live calls, read after each timing pass for the states they reached.
    TWebFeed(TWebHub& hub, const IClock& clock, const TConfig& cfg, const TCallRecordList& records);

    void CallOpened(const TCallRecord& rec, const QString& eventText) override;
    void CallRestored(const TCallRecord& rec, const QString& eventText) override;
    void CallServed(const TCallRecord& rec, const QString& server, const QTime& cancelTime,
                    int durationSeconds) override;
    void CallTimedOut(const TCallRecord& rec, uint32_t seconds) override;
    void CallsTimed() override;
    // The receiver's port opened (ok) or went; said again only when ok or the text changes.
    void LinkChanged(const QString& text, bool ok);

private:
    void Open(const TCallRecord& rec);
    void Remove(uint64_t id);
    void HandOver() { hub_.SetCalls(calls_); }

    TWebHub& hub_;
    const IClock& clock_;
    const TConfig& cfg_;
    const TCallRecordList& records_;
    std::vector<TWebCall> calls_;  // in arrival order
    QString linkText_;
    bool linkOk_ = false;
};
