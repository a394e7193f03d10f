#pragma once
// The outbox of calls for the chain's central server: CentralOutbox.db in the data directory. A call
// enters it in the transaction that moves it into CallInfo (see TCallJournal::SetOutbox), so it is
// there exactly when the call is in the log, across crashes and power cuts; the central shipper reads
// it in order and drops what the server has committed. The two sides share a gate: the shipper holds
// it while it touches the file, and the log's move only tries it, taking another turn shortly when
// the shipper is busy, so the window thread never waits on the shipper.
#include <QString>
#include <QVariantList>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

// One call waiting: its place in the outbox, its CallInfo columns as stored (in the order of
// TCallOutbox::Columns), and how many identical rows CallInfo held before it.
struct TOutboxCall {
    int64_t Seq = 0;
    QVariantList Stored;
    int Ordinal = 0;
};

using TOutboxGate = std::shared_ptr<std::mutex>;

class TCallOutbox {
public:
    static const QString FileName;  // "CentralOutbox.db"
    // A call's columns of CallInfo as the log inserts them.
    static const QString Columns;
    // The outbox table in the database schema (main, or the name it is attached as).
    static QString CreateStatement(const QString& schema);

    explicit TCallOutbox(TOutboxGate gate);
    ~TCallOutbox();
    TCallOutbox(const TCallOutbox&) = delete;
    TCallOutbox& operator=(const TCallOutbox&) = delete;

    // Opens (creating when missing) the outbox in dataDir, on the calling thread.
    bool Open(const QString& dataDir, QString* error = nullptr);
    void Close();
    // The first limit calls waiting, oldest first.
    bool Read(int limit, std::vector<TOutboxCall>& calls, QString* error = nullptr);
    // Drops every call up to and including seq (the server has them).
    bool Drop(int64_t seq, QString* error = nullptr);
    // Calls waiting; -1 when the file cannot be read.
    int Count(QString* error = nullptr);

private:
    TOutboxGate gate_;
    QString connection_;
};
