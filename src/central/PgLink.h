#pragma once
// One connection to the chain's PostgreSQL server. Every wait on the server has a deadline (libpq's
// non-blocking calls and a poll on its socket), so a server that hangs or a network that drops
// packets costs at most the time-out given, never a thread stuck for good. Values are always bound.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <atomic>
#include <vector>

struct pg_conn;

class TPgLink {
public:
    TPgLink() = default;
    ~TPgLink();
    TPgLink(const TPgLink&) = delete;
    TPgLink& operator=(const TPgLink&) = delete;

    // Whether conninfo reads as a libpq connection string (key=value ... or a postgresql:// URI);
    // why not when it does not.
    static bool CheckConnInfo(const QString& conninfo, QString* error = nullptr);

    // Connects within timeoutMs; false with the server's or the network's reason.
    bool Connect(const QString& conninfo, int timeoutMs, QString* error = nullptr);
    bool IsOpen() const { return conn_ != nullptr; }
    // Every wait also ends at the time (ms since the epoch) cap holds, when not 0: another thread
    // sets it to have the link give up sooner (at shutdown).
    void SetCap(const std::atomic<qint64>* cap) { cap_ = cap; }
    void Close();

    // Runs statement with values bound in order ($1, $2, ...; a null QVariant is SQL null) and waits at
    // most timeoutMs for its end. Without values the statement may hold several commands. rows gets
    // the result's rows as text (null: a null QString); changed the rows inserted, updated or deleted.
    // A time-out or a lost connection closes the link.
    bool Exec(const QString& statement, const QVariantList& values, int timeoutMs, QString* error = nullptr,
              std::vector<QStringList>* rows = nullptr, qint64* changed = nullptr);

private:
    // Waits until the socket can be read (or written) or the deadline passes.
    bool WaitSocket(bool forWrite, qint64 deadline, QString* error);
    bool Failed(const QString& why, QString* error);

    pg_conn* conn_ = nullptr;
    const std::atomic<qint64>* cap_ = nullptr;
};
