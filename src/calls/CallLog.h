#pragma once
// The call log: every call that leaves the live list becomes one row of
// CallInfo. Rows go through the journal of live calls: the end of a call is
// journaled at once, and the rows move into CallInfo when the line has been
// quiet for a moment, so that frames arriving meanwhile are not held up. A row
// that cannot be written (the file locked by another program, a full disk)
// stays in the journal and is tried again every few seconds; the window thread
// never waits on a lock.
#include "calls/CallJournal.h"

#include <QString>
#include <QTime>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <vector>

struct TCallRecord;
struct TConfig;
class IClock;
class IDutyLookup;

// Seconds between two times of day as an absolute difference, without regard to midnight.
int ServiceDuration(const QTime& callTime, const QTime& cancelTime);

class ICallLogWriter {
public:
    virtual ~ICallLogWriter() = default;
    // A call just opened, before it is shown: made durable, so that a crash does not lose it.
    virtual void CallOpened(TCallRecord& rec) = 0;
    // A served call: state 0, with the cancel time, who served it and the duration.
    virtual void LogServedCall(const TCallRecord& rec, const QString& server, const QTime& cancelTime) = 0;
    // A call that timed out or was still live at shutdown: state 1, the seconds it was timed.
    virtual void LogUnservedCall(const TCallRecord& rec) = 0;
};

// A call that was live when the station last went down, with the seconds since it was recorded.
struct TRecoveredCall {
    TJournalEntry Entry;
    uint32_t AgeSeconds = 0;
};

class TCallLog final : public ICallLogWriter {
public:
    static constexpr int RetryIntervalMs = 3000;
    // Rows move into CallInfo after this long without a call opening or ending,
    // and at the latest this long after the oldest of them ended.
    static constexpr int QuietMs = 250;
    static constexpr int MaxDeferMs = 5000;
    // The next try when the central shipper held the outbox.
    static constexpr int BusyRetryMs = 20;

    TCallLog(TCallJournal& journal, const IClock& clock, const TConfig& cfg, const IDutyLookup& staff);

    void CallOpened(TCallRecord& rec) override;
    void LogServedCall(const TCallRecord& rec, const QString& server, const QTime& cancelTime) override;
    void LogUnservedCall(const TCallRecord& rec) override;

    // Opens the journal in dataDir; false (and a failure on the status) when it
    // cannot keep calls on disk.
    bool Open(const QString& dataDir, QString* error = nullptr);
    // Stops retrying and closes the journal; rows still waiting stay in it for the next start.
    void Close();
    // At start-up, from what the journal holds: calls that had ended are logged,
    // calls of an earlier day are logged as not served; the calls of today that
    // were live are returned, oldest first, to be live again.
    std::vector<TRecoveredCall> Recover();
    // Moves the rows waiting into CallInfo now (the timers' work).
    void Flush();
    // Rows not yet in CallInfo.
    int Waiting() const { return static_cast<int>(waiting_.size()); }

    // The log's state for the status line: a text, and whether it is a failure.
    std::function<void(const QString& text, bool isError)> OnStatusChanged;
    QString StatusText() const { return status_; }

private:
    void TakeEndedCall(TJournalEntry entry);
    // Journals the end of the call, when it is not there yet.
    void KeepInJournal(TJournalEntry& entry);
    // (Re)starts the wait for a quiet moment to move the rows waiting.
    void DeferWriting();
    void JournalResult(bool ok, const QString& error);
    void Report();

    TCallJournal& journal_;
    const IClock& clock_;
    const TConfig& cfg_;
    const IDutyLookup& staff_;
    QTimer retry_;
    QTimer quiet_;
    QElapsedTimer oldestWaiting_;
    std::vector<TJournalEntry> waiting_;   // in the order the calls ended; Closed: kept in the journal
    QString logError_;
    QString journalError_;
    QString status_;
    bool statusError_ = false;
};
