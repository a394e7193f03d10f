#pragma once
// The web page's HTTP(S) server on threads of its own: the library's listener and a pool sized
// for every event stream plus ordinary requests. It reaches the station only through the hub.
#include "web/WebApi.h"
#include "web/WebHub.h"
#include "web/WebSessions.h"
#include "web/WebSettings.h"

#include <QString>
#include <atomic>
#include <memory>
#include <thread>

class IClock;
namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

class TWebServer {
public:
    static constexpr int ListenBacklog = 128;
    // Every event stream holds a thread, and so does each browser's kept-alive connection between its
    // requests: room for all the streams and as many more connections.
    static constexpr int Threads = 2 * TWebHub::MaxStreams;
    static constexpr size_t MaxBody = 64 * 1024;
    static constexpr qint64 QuietCommentMs = 15000;

    TWebServer(TWebSettings settings, TEnvironment env, const IClock& clock, TWebHub& hub,
               TWebNow now = SteadyWebNow(), QString pageRoot = QStringLiteral(":/web"));
    ~TWebServer();
    TWebServer(const TWebServer&) = delete;
    TWebServer& operator=(const TWebServer&) = delete;

    // Binds and listens (a port of 0 takes a free one); false with a reason when it cannot.
    bool Bind(QString* error);
    // Serves on its own thread from now on.
    void Start();
    bool Listen(QString* error)
    {
        if (!Bind(error))
            return false;
        Start();
        return true;
    }
    // Ends every stream and request, then the threads; the hub takes no new stream afterwards.
    void Stop();
    int Port() const { return port_; }
    const TWebSettings& Settings() const { return settings_; }

private:
    void Serve(const httplib::Request& req, httplib::Response& res);
    void ServeEvents(const httplib::Request& req, httplib::Response& res);

    TWebSettings settings_;
    TWebHub& hub_;
    TWebNow now_;
    TWebSessions sessions_;
    TWebApi api_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    std::atomic<bool> served_{false};  // the server's thread has ended
    int listenSocket_ = -1;
    int port_ = 0;
};
