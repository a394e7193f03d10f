#pragma once
// The journal of live calls. Every call is written here when it opens, before
// it is shown, and stays until its row has reached the call log; moving the
// row into CallInfo and out of the journal is one transaction. So a crash or
// a power cut loses no call, and no call is logged twice however often the
// station goes down. Its own SQLite file in the data directory, full syncs,
// one small transaction per change; its connection never waits on a lock.
#include "calls/CallOutbox.h"
#include "core/SqliteConnection.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>
#include <cstdint>
#include <vector>

// One row of CallInfo.
struct TCallLogRow {
    QDate CallDate;
    QTime CallTime;
    QString CallArea;
    QString CallDesktop;
    QString CallType;
    QString ServerPersonnel;
    QTime ProcTime;          // served calls only
    QString ProcPersonnel;   // served calls only
    int ServerTime = 0;
    int ServerState = 0;     // 0 served, 1 not served
    QString UserNumber;      // empty: stored as null
};

// One call in the journal: what is known from its opening, and, once it has
// ended, the whole row it is logged with.
struct TJournalEntry {
    int64_t JournalId = 0;   // 0: not in the journal
    uint16_t Addr = 0;
    uint8_t Key = 0;
    QTime OpenedAt;          // the station's time of day when the call was recorded, on Row.CallDate
    bool Closed = false;     // Row holds the closing columns too
    TCallLogRow Row;
};

class TCallJournal {
public:
    static const QString FileName;   // "CallJournal.db"

    TCallJournal();
    ~TCallJournal();
    TCallJournal(const TCallJournal&) = delete;
    TCallJournal& operator=(const TCallJournal&) = delete;

    // Opens (creating when missing) the journal in dataDir. A file that is no
    // database is kept aside under a new name and a fresh journal started.
    // When no journal file can be used, the journal lives in memory only (the
    // log is still written) and false tells why.
    bool Open(const QString& dataDir, QString* error = nullptr);
    void Close();

    // A call that opened: its new id, or 0 when it could not be written.
    int64_t AddOpenCall(const TJournalEntry& entry, QString* error = nullptr);
    // A call that ended and waits for the log: its id (a new one when it was
    // not in the journal yet), or 0 when it could not be written.
    int64_t KeepClosedCall(const TJournalEntry& entry, QString* error = nullptr);
    // From now on every row moved into CallInfo also enters the outbox of calls for the central
    // server, in the same transaction; null: no outbox.
    void SetOutbox(TOutboxGate gate) { outbox_ = std::move(gate); }
    // In one transaction: appends each entry's row to CallInfo (and the outbox) and drops the entry.
    // busy: set when nothing moved because the outbox's shipper held it; try again shortly.
    bool MoveToLog(const std::vector<TJournalEntry>& entries, QString* error = nullptr, bool* busy = nullptr);
    // Every entry, oldest first.
    bool ReadAll(std::vector<TJournalEntry>& entries, QString* error = nullptr);

private:
    bool OpenFile(const QString& path, QString* error);
    bool Exec(const QString& statement, const QVariantList& values = {}, QString* error = nullptr,
              int64_t* insertedId = nullptr, int* changed = nullptr);

    // Appends the rows to the outbox attached as Outbox, each with its ordinal among identical rows.
    bool EnterOutbox(const QVariantList& stored, QString* error);

    TSqliteConnection connection_;
    QString dir_;
    TOutboxGate outbox_;
};
