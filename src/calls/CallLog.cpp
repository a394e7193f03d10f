#include "calls/CallLog.h"

#include "calls/CallRecord.h"
#include "calls/CallsTexts.h"
#include "calls/DutyLookup.h"
#include "core/Clock.h"
#include "core/ResStrings.h"

#include <QDateTime>
#include <QThread>
#include <algorithm>
#include <cstdlib>

namespace {

// What the journal keeps of a call from its opening.
TJournalEntry OpenedEntry(const TCallRecord& rec)
{
    TJournalEntry e;
    e.JournalId = rec.JournalId;
    e.Addr = rec.Addr;
    e.Key = rec.Key;
    e.OpenedAt = rec.OpenedAt;
    e.Row.CallDate = rec.CallDate;
    e.Row.CallTime = rec.CallTime;
    e.Row.CallArea = rec.CallArea;
    e.Row.CallDesktop = rec.CallDesktop;
    e.Row.ServerPersonnel = rec.ServerPersonnel;
    e.Row.UserNumber = rec.UserNumber;
    return e;
}

}  // namespace

int ServiceDuration(const QTime& callTime, const QTime& cancelTime)
{
    return std::abs(callTime.secsTo(cancelTime));
}

TCallLog::TCallLog(TCallJournal& journal, const IClock& clock, const TConfig& cfg, const IDutyLookup& staff)
    : journal_(journal), clock_(clock), cfg_(cfg), staff_(staff), status_(LoadResStr(TxtCallsAllWritten))
{
    retry_.setInterval(RetryIntervalMs);
    QObject::connect(&retry_, &QTimer::timeout, [this] { Flush(); });
    quiet_.setSingleShot(true);
    QObject::connect(&quiet_, &QTimer::timeout, [this] { Flush(); });
}

bool TCallLog::Open(const QString& dataDir, QString* error)
{
    QString why;
    const bool ok = journal_.Open(dataDir, &why);
    JournalResult(ok, why);
    if (error)
        *error = why;
    return ok;
}

void TCallLog::Close()
{
    Flush();
    // Closing may wait for the central shipper's turn (a few milliseconds each), so that the last
    // calls enter the outbox now rather than at the next start.
    for (int turn = 0; turn < 50 && !waiting_.empty() && quiet_.isActive(); ++turn) {
        QThread::msleep(BusyRetryMs);
        Flush();
    }
    retry_.stop();
    journal_.Close();
}

void TCallLog::CallOpened(TCallRecord& rec)
{
    rec.OpenedAt = clock_.TimeOfDay();
    rec.UserNumber = rec.ServerPersonnel.isEmpty() ? QString() : staff_.FindStaffNumber(rec.ServerPersonnel);
    QString error;
    rec.JournalId = journal_.AddOpenCall(OpenedEntry(rec), &error);
    JournalResult(rec.JournalId != 0, error);
    DeferWriting();
}

void TCallLog::LogServedCall(const TCallRecord& rec, const QString& server, const QTime& cancelTime)
{
    TJournalEntry e = OpenedEntry(rec);
    e.Row.CallType = ServiceTypeText(cfg_, rec.Key);
    e.Row.ProcTime = cancelTime;
    e.Row.ProcPersonnel = server.isNull() ? QStringLiteral("") : server;
    e.Row.ServerTime = ServiceDuration(rec.CallTime, cancelTime);
    e.Row.ServerState = 0;
    TakeEndedCall(std::move(e));
}

void TCallLog::LogUnservedCall(const TCallRecord& rec)
{
    TJournalEntry e = OpenedEntry(rec);
    e.Row.CallType = ServiceTypeText(cfg_, rec.Key);
    // The tick counter wraps at 2^32; the unsigned difference stays right across a wrap.
    e.Row.ServerTime = static_cast<int>(static_cast<uint32_t>(clock_.Tick() - rec.Tick) / 1000);
    e.Row.ServerState = 1;
    TakeEndedCall(std::move(e));
}

void TCallLog::TakeEndedCall(TJournalEntry entry)
{
    // The end of the call is journaled at once; the move into CallInfo waits for a quiet moment.
    KeepInJournal(entry);
    waiting_.push_back(std::move(entry));
    DeferWriting();
    Report();
}

void TCallLog::KeepInJournal(TJournalEntry& entry)
{
    if (entry.Closed)
        return;
    QString why;
    const int64_t id = journal_.KeepClosedCall(entry, &why);
    JournalResult(id != 0, why);
    if (id != 0) {
        entry.JournalId = id;
        entry.Closed = true;
    }
}

void TCallLog::DeferWriting()
{
    // A failed log has its own, slower retry.
    if (waiting_.empty() || retry_.isActive())
        return;
    if (!oldestWaiting_.isValid())
        oldestWaiting_.start();
    const qint64 left = MaxDeferMs - oldestWaiting_.elapsed();
    quiet_.start(static_cast<int>(std::clamp<qint64>(left, 0, QuietMs)));
}

void TCallLog::Flush()
{
    quiet_.stop();
    if (!waiting_.empty()) {
        QString error;
        bool busy = false;
        if (journal_.MoveToLog(waiting_, &error, &busy)) {
            waiting_.clear();
            oldestWaiting_.invalidate();
            logError_.clear();
            retry_.stop();
        } else if (busy) {
            // The central shipper holds the outbox for a moment: another turn soon, no failure.
            quiet_.start(BusyRetryMs);
            return;
        } else {
            logError_ = error;
            retry_.start();
            // Rows the journal could not take when their calls ended get another chance.
            for (TJournalEntry& e : waiting_)
                KeepInJournal(e);
        }
    }
    Report();
}

void TCallLog::JournalResult(bool ok, const QString& error)
{
    if (ok)
        journalError_.clear();
    else
        journalError_ = error;
    Report();
}

std::vector<TRecoveredCall> TCallLog::Recover()
{
    std::vector<TJournalEntry> entries;
    QString error;
    if (!journal_.ReadAll(entries, &error))
        JournalResult(false, error);
    const QDate today = clock_.Today();
    const QDateTime now(today, clock_.TimeOfDay());
    std::vector<TRecoveredCall> live;
    for (TJournalEntry& e : entries) {
        const qint64 age = std::max<qint64>(0, QDateTime(e.Row.CallDate, e.OpenedAt).secsTo(now));
        if (!e.Closed && e.Row.CallDate >= today) {
            live.push_back({e, static_cast<uint32_t>(std::min<qint64>(age, 86400))});
            continue;
        }
        if (!e.Closed) {
            // A call of an earlier day is over: not served, timed until now.
            e.Row.CallType = ServiceTypeText(cfg_, e.Key);
            e.Row.ServerTime = static_cast<int>(std::min<qint64>(age, INT32_MAX));
            e.Row.ServerState = 1;
        }
        waiting_.push_back(e);
    }
    Flush();
    return live;
}

void TCallLog::Report()
{
    QString text = LoadResStr(TxtCallsAllWritten);
    bool isError = false;
    if (!logError_.isEmpty()) {
        text = LoadResStr(TxtCallsWaiting).arg(logError_).arg(waiting_.size());
        isError = true;
    } else if (!journalError_.isEmpty()) {
        text = LoadResStr(TxtCallsJournalFailed).arg(journalError_);
        isError = true;
    }
    if (text == status_ && isError == statusError_)
        return;
    status_ = text;
    statusError_ = isError;
    if (OnStatusChanged)
        OnStatusChanged(text, isError);
}
