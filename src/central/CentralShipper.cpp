#include "central/CentralShipper.h"

#include "central/CentralCalls.h"
#include "central/PgLink.h"

#include <QDateTime>
#include <algorithm>
#include <utility>

namespace {
// How often an idle shipper looks for calls that entered the outbox.
constexpr int LookEveryMs = 1000;
}  // namespace

TCentralShipper::TCentralShipper(TCentralSettings settings, QString dataDir, TOutboxGate gate, TCentralTiming timing,
                                 QObject* parent)
    : QThread(parent), settings_(std::move(settings)), dataDir_(std::move(dataDir)), gate_(std::move(gate)),
      timing_(timing)
{
    qRegisterMetaType<TCentralLinkState>();
}

TCentralShipper::~TCentralShipper()
{
    finishBy_ = Now();
    Nudge();
    wait();
}

qint64 TCentralShipper::Now() { return QDateTime::currentMSecsSinceEpoch(); }

void TCentralShipper::SetStationState(int liveCalls, bool receiverOk)
{
    liveCalls_ = liveCalls;
    receiverOk_ = receiverOk;
}

void TCentralShipper::Nudge()
{
    {
        const std::lock_guard lock(mutex_);
        nudged_ = true;
    }
    wake_.notify_one();
}

void TCentralShipper::Finish()
{
    if (!isRunning())
        return;
    finishBy_ = Now() + timing_.ShutdownMs;
    Nudge();
    wait();
}

bool TCentralShipper::WaitUntil(qint64 deadline)
{
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(std::max<qint64>(0, deadline - Now())), [this] { return nudged_; });
    return std::exchange(nudged_, false);
}

void TCentralShipper::Report(TCentralLinkState::TLink link, const QString& why)
{
    TCentralLinkState next = state_;
    next.Link = link;
    next.Why = link == TCentralLinkState::TLink::Away ? why : QString();
    if (next == state_)
        return;
    state_ = next;
    emit LinkChanged(state_);
}

int TCentralShipper::CountBacklog(TCallOutbox& outbox, QString* why)
{
    const int backlog = outbox.Count(why);
    if (backlog >= 0 && backlog != state_.Backlog) {
        state_.Backlog = backlog;
        emit LinkChanged(state_);
    }
    return backlog;
}

bool TCentralShipper::ShipAll(TCallOutbox& outbox, TPgLink& link, QString* why)
{
    std::vector<TOutboxCall> waiting;
    std::vector<TCentralCall> calls;
    for (;;) {
        const int backlog = CountBacklog(outbox, why);
        if (backlog < 0)
            return false;
        if (backlog == 0)
            return true;
        if (!outbox.Read(timing_.BatchRows, waiting, why))
            return false;
        calls.clear();
        for (const TOutboxCall& c : waiting)
            calls.push_back({c.Stored, c.Ordinal});
        // Committed by the server first, then dropped here: a crash between the two sends the
        // batch again, and the server keeps what it has.
        if (!InsertCentralCalls(link, settings_.Site, calls, timing_.StatementTimeoutMs, nullptr, why)
            || !outbox.Drop(waiting.back().Seq, why))
            return false;
    }
}

bool TCentralShipper::ReportSite(TPgLink& link, QString* why)
{
    return link.Exec(QStringLiteral("insert into sites (site, last_seen, link_ok, live_calls, backlog) "
                                    "values ($1, now(), $2, $3, $4) on conflict (site) do update set "
                                    "last_seen = excluded.last_seen, link_ok = excluded.link_ok, "
                                    "live_calls = excluded.live_calls, backlog = excluded.backlog"),
                     {settings_.Site, receiverOk_ ? QStringLiteral("true") : QStringLiteral("false"),
                      liveCalls_.load(), state_.Backlog},
                     timing_.StatementTimeoutMs, why);
}

void TCentralShipper::run()
{
    TCallOutbox outbox(gate_);
    TPgLink link;
    link.SetCap(&finishBy_);
    bool outboxOpen = false;
    int retryMs = timing_.RetryFirstMs;
    qint64 nextTry = 0;
    qint64 nextSite = 0;
    bool closing = false;
    for (;;) {
        if (finishBy_ != 0 && !closing) {
            // Closing: one more try at once, even while waiting for the next one.
            closing = true;
            nextTry = 0;
        }
        if (closing && Now() >= finishBy_)
            break;
        QString why;
        bool ok = true;
        if (Now() >= nextTry) {
            ok = (outboxOpen || (outboxOpen = outbox.Open(dataDir_, &why)))
                 && (link.IsOpen() || link.Connect(settings_.Connect, timing_.ConnectTimeoutMs, &why));
            if (ok && retryMs != timing_.RetryFirstMs)
                retryMs = timing_.RetryFirstMs;  // a connection that succeeds restarts the retry clock
            ok = ok && ShipAll(outbox, link, &why);
            if (ok && !closing && Now() >= nextSite) {
                ok = ReportSite(link, &why);
                nextSite = Now() + timing_.SitesEveryMs;
            }
            if (ok) {
                Report(TCentralLinkState::TLink::Up);
                nextTry = Now() + LookEveryMs;
            } else {
                link.Close();
                // The calls waiting show while the server is away, also when it has not answered since the start.
                if (outboxOpen)
                    CountBacklog(outbox, nullptr);
                Report(TCentralLinkState::TLink::Away, why);
                nextTry = Now() + retryMs;
                retryMs = std::min(retryMs * 2, timing_.RetryMaxMs);
            }
        }
        if (closing && (state_.Backlog == 0 || !ok))
            break;
        // A nudge ships at once while the server is there; while it is away the retry clock rules.
        if (WaitUntil(closing ? std::min<qint64>(nextTry, finishBy_) : nextTry) && link.IsOpen())
            nextTry = 0;
    }
    outbox.Close();
}
