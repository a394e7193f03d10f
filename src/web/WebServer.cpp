#include "web/WebServer.h"

#include "core/ResStrings.h"
#include "web/WebHub.h"
#include "web/WebTexts.h"

#include <httplib.h>

#include <QDir>
#include <QUrl>
#include <cerrno>
#include <cstring>

#if defined(Q_OS_LINUX)
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#endif

// The page's files are compiled into this library; a static library's resources are registered
// only when asked for by name (outside any namespace).
static void InitPageFiles() { Q_INIT_RESOURCE(web); }

namespace {

QString ErrorText(int status)
{
    switch (status) {
    case 404:
        return LoadResStr(TxtWebNotFound);
    case 413:
        return LoadResStr(TxtWebTooLarge);
    default:
        return LoadResStr(TxtWebBadRequest);
    }
}

void Send(const TWebReply& reply, const QString& path, httplib::Response& res)
{
    res.status = reply.Status;
    for (const auto& [name, value] : TWebApi::SafetyHeaders(path) + reply.Headers)
        res.set_header(name.toStdString(), value.toStdString());
    if (!reply.Body.isEmpty() || !reply.ContentType.isEmpty())
        res.set_content(reply.Body.toStdString(), reply.ContentType.toStdString());
}

TWebRequest FromLibrary(const httplib::Request& req)
{
    TWebRequest request;
    request.Method = QByteArray::fromStdString(req.method);
    request.Path = QString::fromStdString(req.path);
    const std::string::size_type query = req.target.find('?');
    if (query != std::string::npos) {
        // A form-style query writes a blank as '+' (a plus itself comes as %2B).
        QByteArray raw = QByteArray::fromStdString(req.target.substr(query + 1));
        request.Query = QUrlQuery(QString::fromUtf8(raw.replace('+', "%20")));
    }
    request.Body = QByteArray::fromStdString(req.body);
    request.Cookie = QByteArray::fromStdString(req.get_header_value("Cookie"));
    request.RemoteAddress = QString::fromStdString(req.remote_addr);
    return request;
}

// The library's own choice, SO_REUSEPORT, would let a second station listen on the same port and
// share its browsers unnoticed; a taken port must be reported instead. SO_REUSEADDR still allows a
// restart while the last run's connections linger.
void ExclusivePort(socket_t sock)
{
    int yes = 1;
#ifdef _WIN32
    setsockopt(sock, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<char*>(&yes), sizeof yes);
#else
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
#endif
}

#if defined(Q_OS_LINUX)
std::pair<std::string, int> NumericAddress(const sockaddr_storage& addr, socklen_t len)
{
    char host[NI_MAXHOST];
    char port[NI_MAXSERV];
    if (getnameinfo(reinterpret_cast<const sockaddr*>(&addr), len, host, sizeof host, port, sizeof port,
                    NI_NUMERICHOST | NI_NUMERICSERV) != 0)
        return {std::string(), -1};
    return {host, std::atoi(port)};
}

// The connection's socket, found by its two ends: the library does not hand it to a handler, and
// a stream must notice a browser that went away while no event is due.
int ConnectionSocket(const httplib::Request& req)
{
    const QStringList fds = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System);
    for (const QString& name : fds) {
        const int fd = name.toInt();
        sockaddr_storage addr{};
        socklen_t len = sizeof addr;
        if (getpeername(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0
            || NumericAddress(addr, len) != std::make_pair(req.remote_addr, req.remote_port))
            continue;
        len = sizeof addr;
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0
            && NumericAddress(addr, len) == std::make_pair(req.local_addr, req.local_port))
            return fd;
    }
    return -1;
}

bool PeerGone(int fd)
{
    if (fd < 0)
        return false;
    pollfd p{fd, POLLRDHUP, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL));
}
#else
// Elsewhere a gone browser is noticed at the next write.
int ConnectionSocket(const httplib::Request&) { return -1; }
bool PeerGone(int) { return false; }
#endif

}  // namespace

TWebServer::TWebServer(TWebSettings settings, TEnvironment env, const IClock& clock, TWebHub& hub, TWebNow now,
                       QString pageRoot)
    : settings_(std::move(settings)),
      hub_(hub),
      now_(now),
      sessions_(now),
      api_(std::move(env), clock, hub, sessions_, settings_.Tls(), std::move(pageRoot))
{
    InitPageFiles();
}

TWebServer::~TWebServer() { Stop(); }

bool TWebServer::Bind(QString* error)
{
    const QString address = settings_.Address();
    if (settings_.Tls()) {
        const QByteArray cert = QFile::encodeName(settings_.Certificate);
        const QByteArray key = QFile::encodeName(settings_.Key);
        auto tls = std::make_unique<httplib::SSLServer>(cert.constData(), key.constData());
        if (!tls->is_valid()) {
            if (error)
                *error = LoadResStr(TxtWebBadCertificate).arg(settings_.Certificate, settings_.Key);
            return false;
        }
        server_ = std::move(tls);
    } else {
        server_ = std::make_unique<httplib::Server>();
    }
    httplib::Server& s = *server_;
    s.new_task_queue = [] { return new httplib::ThreadPool(Threads); };
    s.set_payload_max_length(MaxBody);
    s.set_read_timeout(5, 0);
    s.set_write_timeout(5, 0);
    s.set_keep_alive_timeout(5);
    s.set_keep_alive_max_count(100);
    s.set_socket_options([this](socket_t sock) {
        ExclusivePort(sock);
        listenSocket_ = static_cast<int>(sock);
    });
    // Every path and method goes to the API, which alone decides what is served.
    const auto serve = [this](const httplib::Request& req, httplib::Response& res) { Serve(req, res); };
    s.Get(".*", serve).Post(".*", serve).Put(".*", serve).Delete(".*", serve).Patch(".*", serve);
    // What the library answers itself (a malformed request, a body over the limit) gets the API's
    // error form and the safety headers too.
    s.set_error_handler([](const httplib::Request& req, httplib::Response& res) {
        if (!res.body.empty())
            return;
        const QString path = QString::fromStdString(req.path);
        Send(ErrorReply(res.status, ErrorText(res.status)), path, res);
    });
    s.set_exception_handler([](const httplib::Request& req, httplib::Response& res, std::exception_ptr) {
        Send(ErrorReply(500, LoadResStr(TxtWebBadRequest)), QString::fromStdString(req.path), res);
    });

    const std::string host = settings_.Host.toStdString();
    port_ = settings_.Port;
    if (port_ == 0)
        port_ = s.bind_to_any_port(host);
    else if (!s.bind_to_port(host, port_))
        port_ = -1;
    if (port_ <= 0) {
        if (error)
            *error = LoadResStr(TxtWebCannotListen).arg(address, QString::fromLocal8Bit(std::strerror(errno)));
        server_.reset();
        return false;
    }
    // The library listens with a backlog of 5, too few for a floor of phones reconnecting at once
    // after the Wi-Fi comes back: a socket already listening takes a new backlog by listening again.
    ::listen(listenSocket_, ListenBacklog);
    return true;
}

void TWebServer::Start()
{
    if (!server_ || thread_.joinable())
        return;
    served_ = false;
    thread_ = std::thread([this, s = server_.get()] {
        s->listen_after_bind();
        served_ = true;
    });
    // The library's stop is lost on a server that has not begun to run, and its thread would serve
    // on for ever: Stop may come only once it runs.
    while (!server_->is_running() && !served_)
        std::this_thread::yield();
}

void TWebServer::Stop()
{
    hub_.Shutdown();
    if (server_)
        server_->stop();
    if (thread_.joinable())
        thread_.join();
    server_.reset();
}

void TWebServer::Serve(const httplib::Request& req, httplib::Response& res)
{
    const TWebRequest request = FromLibrary(req);
    if (TWebApi::IsEventStream(request) && api_.Session(request))
        ServeEvents(req, res);
    else
        Send(api_.Handle(request), request.Path, res);
}

void TWebServer::ServeEvents(const httplib::Request& req, httplib::Response& res)
{
    const QString path = QString::fromStdString(req.path);
    const std::shared_ptr<TWebStream> stream = hub_.OpenStream();
    if (!stream) {
        Send(ErrorReply(503, LoadResStr(TxtWebTooManyStreams)), path, res);
        return;
    }
    Send(TWebReply{200, QByteArray(), QByteArray(), {}}, path, res);
    const int fd = ConnectionSocket(req);
    auto lastWrite = std::make_shared<qint64>(now_());
    res.set_chunked_content_provider(
        "text/event-stream",
        [this, stream, fd, lastWrite](size_t, httplib::DataSink& sink) {
            std::vector<QByteArray> events;
            for (;;) {
                if (!stream->Take(std::chrono::seconds(1), &events) || PeerGone(fd))
                    return false;
                for (const QByteArray& event : events)
                    if (!sink.write(event.constData(), static_cast<size_t>(event.size())))
                        return false;
                if (!events.empty()) {
                    *lastWrite = now_();
                    return true;
                }
                if (now_() - *lastWrite >= QuietCommentMs) {
                    static const char quiet[] = ": quiet\n\n";
                    *lastWrite = now_();
                    return sink.write(quiet, sizeof quiet - 1);
                }
            }
        },
        [this, stream](bool) { hub_.CloseStream(stream); });
}
