#pragma once
// Ships the outbox of calls to the central server, on a thread of its own with its own connections
// (the outbox file and the server). Batches go in order; a batch leaves the outbox only after the
// server has committed it, and the server keeps the first copy of a call, so each call arrives
// exactly once whatever fails in between. While the server is away the calls wait in the outbox
// (across restarts and crashes) and the shipper tries again after 5 s, then 10, 20, 40 and every
// 60 s; a connection that succeeds starts that clock anew. Every wait on the server has a deadline.
// Nothing here is ever waited for by the window thread, except Finish at shutdown.
#include "calls/CallOutbox.h"
#include "central/CentralLink.h"
#include "central/CentralSettings.h"

#include <QThread>
#include <atomic>
#include <condition_variable>
#include <mutex>

class TCallOutbox;
class TPgLink;

class TCentralShipper final : public QThread {
    Q_OBJECT
public:
    TCentralShipper(TCentralSettings settings, QString dataDir, TOutboxGate gate, TCentralTiming timing = {},
                    QObject* parent = nullptr);
    ~TCentralShipper() override;

    // What this station reports in its sites row; from any thread.
    void SetStationState(int liveCalls, bool receiverOk);
    // Calls have entered the outbox: ship them now rather than at the next look.
    void Nudge();
    // At shutdown: ships what waits if the server answers within timing's ShutdownMs, then ends the
    // thread. What is not shipped stays in the outbox for the next start.
    void Finish();

signals:
    // Each change of the link or of the backlog.
    void LinkChanged(const TCentralLinkState& state);

protected:
    void run() override;

private:
    static qint64 Now();
    // Counts the outbox and tells of a change; the count, or -1 when the outbox cannot be read.
    int CountBacklog(TCallOutbox& outbox, QString* why);
    // Ships batch after batch until the outbox is empty; false when the server or the outbox failed.
    bool ShipAll(TCallOutbox& outbox, TPgLink& link, QString* why);
    bool ReportSite(TPgLink& link, QString* why);
    void Report(TCentralLinkState::TLink link, const QString& why = QString());
    // Sleeps until nudged or the deadline; whether nudged.
    bool WaitUntil(qint64 deadline);

    const TCentralSettings settings_;
    const QString dataDir_;
    const TOutboxGate gate_;
    const TCentralTiming timing_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool nudged_ = false;
    std::atomic<qint64> finishBy_{0};  // 0: not closing; else when the link gives up
    std::atomic<int> liveCalls_{0};
    std::atomic<bool> receiverOk_{false};
    TCentralLinkState state_;  // the shipper's thread only
};
