#pragma once
// What the window thread hands the web server: the live calls as a snapshot, and the events for
// the open event streams. The window thread only copies small values under one short lock and
// never waits on a client; each stream has a bounded queue, and a stream that falls that far
// behind is ended (its client reconnects), so a slow reader costs only its own stream.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

// One live call as the API shows it.
struct TWebCall {
    uint64_t Id = 0;
    QDate Date;
    QTime Time;        // the call time from the frame
    QString Area;
    QString Position;
    QString Type;
    QString Server;    // the waiter on duty
    uint8_t State = 0; // 0 waiting, 1 and 2 pre-warnings, 3 timed out
    uint32_t Tick = 0; // the station's tick when recorded: its age is read against the same clock
};

class TWebHub;

// One open event stream, read by the server thread that serves it.
class TWebStream {
public:
    // Waits up to wait for events and moves them to events. False once the stream is to end:
    // it fell behind, or the server is stopping.
    bool Take(std::chrono::milliseconds wait, std::vector<QByteArray>* events);

private:
    friend class TWebHub;
    explicit TWebStream(TWebHub& hub) : hub_(hub) {}
    TWebHub& hub_;
    std::condition_variable ready_;
    std::deque<QByteArray> queue_;   // guarded by the hub's lock
    bool ended_ = false;
};

class TWebHub {
public:
    static constexpr int MaxStreams = 100;
    static constexpr size_t QueueLimit = 256;

    // Window thread: the live calls in arrival order.
    void SetCalls(std::vector<TWebCall> calls);
    std::vector<TWebCall> Calls() const;
    int CallCount() const;

    // Window thread: one event, already in its wire form, to every open stream.
    void Publish(const QByteArray& event);
    // Window thread: the receiver's link as an event; a new stream starts with the latest one.
    void PublishLink(const QByteArray& event);

    // A new stream; null when MaxStreams are open or the hub is shut.
    std::shared_ptr<TWebStream> OpenStream();
    void CloseStream(const std::shared_ptr<TWebStream>& stream);
    int StreamCount() const;
    // Ends every stream and refuses new ones (the server is stopping).
    void Shutdown();

private:
    friend class TWebStream;
    void PushLocked(const QByteArray& event);

    mutable std::mutex lock_;
    std::vector<TWebCall> calls_;
    QByteArray link_;
    std::vector<std::shared_ptr<TWebStream>> streams_;
    bool shut_ = false;
};

// An event in the event-stream wire form: "event: NAME\ndata: JSON\n\n".
QByteArray StreamEvent(const char* name, const QByteArray& json);

class QJsonObject;
// A live call as the API gives it, its age read at tick now.
QJsonObject CallJson(const TWebCall& call, uint32_t now);
