#include "web/WebHub.h"

#include "calls/CallRecord.h"
#include "core/DateFormats.h"

#include <QJsonObject>

#include <algorithm>

bool TWebStream::Take(std::chrono::milliseconds wait, std::vector<QByteArray>* events)
{
    std::unique_lock<std::mutex> hold(hub_.lock_);
    ready_.wait_for(hold, wait, [this] { return ended_ || !queue_.empty(); });
    events->assign(std::make_move_iterator(queue_.begin()), std::make_move_iterator(queue_.end()));
    queue_.clear();
    return !ended_;
}

void TWebHub::SetCalls(std::vector<TWebCall> calls)
{
    std::lock_guard<std::mutex> hold(lock_);
    calls_.swap(calls);
    // The old snapshot is freed after the lock is let go, when calls leaves scope.
}

std::vector<TWebCall> TWebHub::Calls() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return calls_;
}

int TWebHub::CallCount() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return static_cast<int>(calls_.size());
}

void TWebHub::PushLocked(const QByteArray& event)
{
    for (const std::shared_ptr<TWebStream>& stream : streams_) {
        if (stream->ended_)
            continue;
        if (stream->queue_.size() >= QueueLimit) {
            stream->ended_ = true;
            stream->queue_.clear();
        } else {
            stream->queue_.push_back(event);
        }
        stream->ready_.notify_one();
    }
}

void TWebHub::Publish(const QByteArray& event)
{
    std::lock_guard<std::mutex> hold(lock_);
    PushLocked(event);
}

void TWebHub::PublishLink(const QByteArray& event)
{
    std::lock_guard<std::mutex> hold(lock_);
    link_ = event;
    PushLocked(event);
}

std::shared_ptr<TWebStream> TWebHub::OpenStream()
{
    std::lock_guard<std::mutex> hold(lock_);
    if (shut_ || streams_.size() >= static_cast<size_t>(MaxStreams))
        return nullptr;
    std::shared_ptr<TWebStream> stream(new TWebStream(*this));
    if (!link_.isEmpty())
        stream->queue_.push_back(link_);
    streams_.push_back(stream);
    return stream;
}

void TWebHub::CloseStream(const std::shared_ptr<TWebStream>& stream)
{
    std::lock_guard<std::mutex> hold(lock_);
    streams_.erase(std::remove(streams_.begin(), streams_.end(), stream), streams_.end());
}

int TWebHub::StreamCount() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return static_cast<int>(streams_.size());
}

void TWebHub::Shutdown()
{
    std::lock_guard<std::mutex> hold(lock_);
    shut_ = true;
    for (const std::shared_ptr<TWebStream>& stream : streams_) {
        stream->ended_ = true;
        stream->ready_.notify_one();
    }
}

QByteArray StreamEvent(const char* name, const QByteArray& json)
{
    return QByteArray("event: ") + name + "\ndata: " + json + "\n\n";
}

QJsonObject CallJson(const TWebCall& call, uint32_t now)
{
    return QJsonObject{
        {QStringLiteral("id"), static_cast<qint64>(call.Id)},
        {QStringLiteral("date"), call.Date.toString(IsoDateFormat)},
        {QStringLiteral("time"), call.Time.toString(IsoTimeFormat)},
        {QStringLiteral("area"), call.Area},
        {QStringLiteral("position"), call.Position},
        {QStringLiteral("type"), call.Type},
        {QStringLiteral("server"), call.Server},
        {QStringLiteral("state"), call.State},
        {QStringLiteral("elapsed"), static_cast<qint64>(ElapsedSeconds(call.Tick, now))},
    };
}
