#include "web/WebSessions.h"

#include <QRandomGenerator>
#include <chrono>

TWebNow SteadyWebNow()
{
    return [] {
        using namespace std::chrono;
        return static_cast<qint64>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
}

void TWebSessions::DropIdleLocked(qint64 now)
{
    sessions_.removeIf([now](const auto& it) { return now - it.value().LastUsed > IdleLimitMs; });
}

QByteArray TWebSessions::Open(qint64 rowId, const QString& name, int32_t popedom)
{
    quint32 words[8];
    QRandomGenerator::system()->fillRange(words);
    const QByteArray token =
        QByteArray(reinterpret_cast<const char*>(words), sizeof words).toBase64(QByteArray::Base64UrlEncoding
                                                                               | QByteArray::OmitTrailingEquals);
    std::lock_guard<std::mutex> hold(lock_);
    const qint64 now = now_();
    DropIdleLocked(now);
    // Past the limit the longest idle session makes room: a script logging in in a loop cannot grow memory.
    if (sessions_.size() >= MaxSessions) {
        auto oldest = sessions_.begin();
        for (auto it = sessions_.begin(); it != sessions_.end(); ++it)
            if (it.value().LastUsed < oldest.value().LastUsed)
                oldest = it;
        sessions_.erase(oldest);
    }
    sessions_.insert(token, TWebSession{rowId, name, popedom, now});
    return token;
}

std::optional<TWebSession> TWebSessions::Use(const QByteArray& token)
{
    std::lock_guard<std::mutex> hold(lock_);
    const qint64 now = now_();
    const auto it = sessions_.find(token);
    if (it == sessions_.end())
        return std::nullopt;
    if (now - it.value().LastUsed > IdleLimitMs) {
        sessions_.erase(it);
        return std::nullopt;
    }
    it.value().LastUsed = now;
    return it.value();
}

void TWebSessions::Close(const QByteArray& token)
{
    std::lock_guard<std::mutex> hold(lock_);
    sessions_.remove(token);
}

int TWebSessions::LockedSeconds(const QString& address)
{
    std::lock_guard<std::mutex> hold(lock_);
    const auto it = failures_.constFind(address);
    const qint64 left = it == failures_.cend() ? 0 : it.value().LockedUntil - now_();
    return left > 0 ? static_cast<int>((left + 999) / 1000) : 0;
}

void TWebSessions::Failed(const QString& address)
{
    std::lock_guard<std::mutex> hold(lock_);
    const qint64 now = now_();
    const auto stale = [now](const Failures& f) {
        return f.LockedUntil <= now && (f.Times.empty() || now - f.Times.back() > FailureWindowMs);
    };
    if (failures_.size() >= MaxAddresses)
        failures_.removeIf([&](const auto& it) { return stale(it.value()); });
    Failures& f = failures_[address];
    while (!f.Times.empty() && now - f.Times.front() > FailureWindowMs)
        f.Times.pop_front();
    f.Times.push_back(now);
    if (f.Times.size() >= static_cast<size_t>(MaxFailures))
        f.LockedUntil = now + LockOutMs;
    while (f.Times.size() > static_cast<size_t>(MaxFailures))
        f.Times.pop_front();
}
