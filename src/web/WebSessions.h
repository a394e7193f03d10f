#pragma once
// The web page's sessions and its guard against guessed passwords, in memory only (a restart logs
// every browser out). Any server thread may call; one lock guards both.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

// Monotonic milliseconds; injected so that tests move time.
using TWebNow = std::function<qint64()>;
TWebNow SteadyWebNow();

struct TWebSession {
    qint64 RowId = -1;      // the operator's row
    QString Name;
    int32_t Popedom = 0;
    qint64 LastUsed = 0;
};

class TWebSessions {
public:
    static constexpr qint64 IdleLimitMs = 12LL * 60 * 60 * 1000;
    static constexpr int MaxFailures = 5;
    static constexpr qint64 FailureWindowMs = 5LL * 60 * 1000;
    static constexpr qint64 LockOutMs = 60LL * 1000;
    static constexpr int MaxSessions = 1000;
    static constexpr int MaxAddresses = 10000;

    explicit TWebSessions(TWebNow now) : now_(std::move(now)) {}

    // A new session's token (random, URL-safe).
    QByteArray Open(qint64 rowId, const QString& name, int32_t popedom);
    // The session of token, its idle time restarted; nothing when unknown or idle too long.
    std::optional<TWebSession> Use(const QByteArray& token);
    void Close(const QByteArray& token);

    // Seconds the address must still wait before it may try to log in; 0 when it may try now.
    int LockedSeconds(const QString& address);
    // A log-in from address answered 401: the fifth within the window locks the address out.
    void Failed(const QString& address);

private:
    void DropIdleLocked(qint64 now);

    struct Failures {
        std::deque<qint64> Times;  // of the 401 answers within the window
        qint64 LockedUntil = 0;
    };

    TWebNow now_;
    std::mutex lock_;
    QHash<QByteArray, TWebSession> sessions_;
    QHash<QString, Failures> failures_;
};
