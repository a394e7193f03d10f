// The web page's server over a real socket: log-in rules and their throttle, sessions, what
// answers 401/403/404/413, the live calls, the event stream and malformed requests.
#include "MalformedRequests.h"
#include "RawHttp.h"
#include "WebFixtures.h"

#include "support/TestEnvironment.h"
#include "core/Clock.h"
#include "web/WebHub.h"
#include "web/WebServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <httplib.h>
#include <memory>

// Outside any namespace, as the resource's initialiser is.
static void InitStationPictures() { Q_INIT_RESOURCE(station); }

namespace {

constexpr qint64 kSecond = 1000;

// Polls cond for up to ms.
template <typename F>
bool Within(int ms, F cond)
{
    QElapsedTimer timer;
    timer.start();
    while (!cond()) {
        if (timer.elapsed() > ms)
            return false;
        QThread::msleep(10);
    }
    return true;
}

class WebServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitStationPictures();  // the station's own pictures stand in for the page's files
        ASSERT_TRUE(data.isValid());
        AddOperator(data.path(), "anna", "s3cret", (1 << 4) | (1 << 5));
        AddOperator(data.path(), "nopass", QString());
        StartServer();
    }

    void StartServer()
    {
        server = std::make_unique<TWebServer>(LoopbackSettings(), TestEnvironment(data.path()), clock, hub, [this] { return now.load(); },
                                              QStringLiteral(":"));
        QString error;
        ASSERT_TRUE(server->Listen(&error)) << error.toStdString();
    }

    httplib::Client Client() const { return httplib::Client("127.0.0.1", server->Port()); }

    httplib::Result Login(const std::string& name, const std::string& password)
    {
        return Client().Post("/api/login", R"({"name": ")" + name + R"(", "password": ")" + password + R"("})",
                             "application/json");
    }
    // The session cookie of a good log-in, as the browser sends it back.
    std::string Session()
    {
        const httplib::Result r = Login("anna", "s3cret");
        EXPECT_TRUE(r && r->status == 200);
        if (!r)
            return std::string();
        const std::string cookie = r->get_header_value("Set-Cookie");
        return cookie.substr(0, cookie.find(';'));
    }
    httplib::Result Get(const std::string& path, const std::string& cookie)
    {
        return Client().Get(path.c_str(), httplib::Headers{{"Cookie", cookie}});
    }
    static QString ErrorOf(const httplib::Result& r)
    {
        return QJsonDocument::fromJson(QByteArray::fromStdString(r->body)).object().value("error").toString();
    }

    QTemporaryDir data;
    ManualClock clock;
    std::atomic<qint64> now{10'000'000};
    TWebHub hub;
    std::unique_ptr<TWebServer> server;
};

TEST_F(WebServerTest, LogInRules)
{
    struct Row {
        const char* what;
        std::string body;
        int status;
        const char* error;
    };
    const Row rows[] = {
        {"right password", R"({"name":"anna","password":"s3cret"})", 200, ""},
        {"name in other letter case", R"({"name":"ANNA","password":"s3cret"})", 200, ""},
        {"wrong password", R"({"name":"anna","password":"S3cret"})", 401, "wrong name or password"},
        {"unknown name: the same text", R"({"name":"bob","password":"s3cret"})", 401, "wrong name or password"},
        {"empty password", R"({"name":"nopass","password":""})", 403, "set a password first"},
        {"empty password, another typed", R"({"name":"nopass","password":"x"})", 403, "set a password first"},
        {"not JSON", "name=anna&password=s3cret", 400, "a log-in needs a name and a password"},
        {"password not a string", R"({"name":"anna","password":1})", 400, "a log-in needs a name and a password"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const httplib::Result r = Client().Post("/api/login", row.body, "application/json");
        ASSERT_TRUE(r);
        EXPECT_EQ(r->status, row.status);
        if (row.status != 200) {
            EXPECT_EQ(ErrorOf(r), QString::fromUtf8(row.error));
            EXPECT_FALSE(r->has_header("Set-Cookie"));
            continue;
        }
        const QJsonObject body = QJsonDocument::fromJson(QByteArray::fromStdString(r->body)).object();
        EXPECT_EQ(body.value("name").toString(), "anna");
        EXPECT_EQ(body.value("permissions").toArray(), (QJsonArray{4, 5}));
        const std::string cookie = r->get_header_value("Set-Cookie");
        EXPECT_NE(cookie.find("HttpOnly"), std::string::npos) << cookie;
        EXPECT_NE(cookie.find("SameSite=Strict"), std::string::npos) << cookie;
        EXPECT_EQ(cookie.find("Secure"), std::string::npos) << "plain HTTP: " << cookie;
    }
}

TEST_F(WebServerTest, FiveRefusalsLockTheAddressOutForSixtySeconds)
{
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(Login("anna", "wrong")->status, 401);
    // A success neither counts nor resets the count.
    ASSERT_EQ(Login("anna", "s3cret")->status, 200);
    // Nor does a refusal that is not a 401.
    ASSERT_EQ(Login("nopass", "")->status, 403);
    ASSERT_EQ(Login("anna", "wrong")->status, 401);

    httplib::Result r = Login("anna", "s3cret");
    EXPECT_EQ(r->status, 429) << "the right password is refused too";
    EXPECT_EQ(r->get_header_value("Retry-After"), "60");
    // Tries while locked out do not extend it.
    now += 30 * kSecond;
    r = Login("anna", "wrong");
    EXPECT_EQ(r->status, 429);
    EXPECT_EQ(r->get_header_value("Retry-After"), "30");
    now += 30 * kSecond;
    EXPECT_EQ(Login("anna", "s3cret")->status, 200);
}

TEST(WebSessions, LockOutCountsPerAddressWithinFiveMinutes)
{
    qint64 now = 0;
    TWebSessions sessions([&] { return now; });
    for (int i = 0; i < 4; ++i)
        sessions.Failed("10.0.0.1");
    now += 5 * 60 * kSecond + 1;  // the first four fall out of the window
    sessions.Failed("10.0.0.1");
    EXPECT_EQ(sessions.LockedSeconds("10.0.0.1"), 0);
    for (int i = 0; i < 4; ++i)
        sessions.Failed("10.0.0.1");
    EXPECT_EQ(sessions.LockedSeconds("10.0.0.1"), 60);
    EXPECT_EQ(sessions.LockedSeconds("10.0.0.2"), 0) << "other addresses are not affected";
}

TEST_F(WebServerTest, AnswersBySessionAndPath)
{
    const std::string session = Session();
    struct Row {
        const char* method;
        const char* path;
        bool withSession;
        int status;
    };
    const Row rows[] = {
        {"GET", "/api/calls", false, 401},
        {"GET", "/api/events", false, 401},
        {"GET", "/api/today", false, 401},
        {"GET", "/api/no-such-thing", false, 401},
        {"POST", "/api/logout", false, 401},
        {"GET", "/api/calls", true, 200},
        {"GET", "/api/no-such-thing", true, 404},
        {"GET", "/api/../api/calls", true, 404},
        {"GET", "/station.png", false, 200},
        {"POST", "/station.png", false, 404},
        {"GET", "/", false, 404},  // this resource folder has no index.html
        {"GET", "/no-such.html", false, 404},
        {"GET", "/../station.png", false, 404},
        {"GET", "/%2e%2e/station.png", false, 404},
        {"GET", "/.%2E/station.png", false, 404},
        {"GET", "/..%2fstation.png", false, 404},
        {"GET", "/x/..%2F..%2Fstation.png", false, 404},
        {"GET", "/%2e%2e%2f%2e%2e%2fetc%2fpasswd", false, 404},
        {"GET", "/etc/passwd", false, 404},
        {"GET", "/%2Fetc%2Fpasswd", false, 404},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.method) + " " + row.path + (row.withSession ? " with a session" : ""));
        const httplib::Headers headers{{"Cookie", row.withSession ? session : "session=forged"}};
        const httplib::Result r = std::string(row.method) == "GET" ? Client().Get(row.path, headers)
                                                                 : Client().Post(row.path, headers, "", "text/plain");
        ASSERT_TRUE(r);
        EXPECT_EQ(r->status, row.status);
        EXPECT_EQ(r->get_header_value("X-Content-Type-Options"), "nosniff");
        EXPECT_EQ(r->get_header_value("Content-Security-Policy"), "default-src 'self'; frame-ancestors 'none'");
        EXPECT_EQ(r->get_header_value("Cache-Control") == "no-store", std::string(row.path).starts_with("/api/"));
    }
    const httplib::Result png = Client().Get("/station.png");
    EXPECT_EQ(png->get_header_value("Content-Type"), "image/png");
}

TEST_F(WebServerTest, BodyOverSixtyFourKiBIs413WithTheSafetyHeaders)
{
    const std::string big(64 * 1024 + 1, 'x');
    const httplib::Result r = Client().Post("/api/login", big, "application/json");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 413);
    EXPECT_EQ(ErrorOf(r), "the request is too large");
    EXPECT_EQ(r->get_header_value("X-Content-Type-Options"), "nosniff");
    EXPECT_EQ(r->get_header_value("Cache-Control"), "no-store");
}

TEST_F(WebServerTest, LogoutEndsOnlyItsSessionAndIdleSessionsExpire)
{
    const std::string first = Session();
    const std::string second = Session();
    const httplib::Result out = Client().Post("/api/logout", httplib::Headers{{"Cookie", first}}, "", "text/plain");
    ASSERT_TRUE(out);
    EXPECT_EQ(out->status, 204);
    EXPECT_NE(out->get_header_value("Set-Cookie").find("Max-Age=0"), std::string::npos);
    EXPECT_EQ(Get("/api/calls", first)->status, 401);
    EXPECT_EQ(Get("/api/calls", second)->status, 200);

    now += 12 * 3600 * kSecond - kSecond;  // use restarts the idle time
    EXPECT_EQ(Get("/api/calls", second)->status, 200);
    now += 12 * 3600 * kSecond + kSecond;
    EXPECT_EQ(Get("/api/calls", second)->status, 401);
}

TEST_F(WebServerTest, LiveCallsComeFromTheSnapshotWithTheirAge)
{
    TWebCall call;
    call.Id = 7;
    call.Date = QDate(2026, 12, 8);
    call.Time = QTime(10, 0, 5);
    call.Area = QString::fromUtf8("大厅");
    call.Position = "A1";
    call.Type = "BUTTON2";
    call.Server = QString::fromUtf8("张三");
    call.State = 1;
    call.Tick = 4000;
    hub.SetCalls({call});
    clock.SetTick(4000 + 42'500);
    const httplib::Result r = Get("/api/calls", Session());
    ASSERT_TRUE(r);
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(r->body)).array(),
              (QJsonArray{QJsonObject{{"id", 7}, {"date", "2026-12-08"}, {"time", "10:00:05"},
                                      {"area", QString::fromUtf8("大厅")}, {"position", "A1"}, {"type", "BUTTON2"},
                                      {"server", QString::fromUtf8("张三")}, {"state", 1}, {"elapsed", 42}}}));
}

QByteArray StreamRequest(const std::string& cookie)
{
    return "GET /api/events HTTP/1.1\r\nHost: station\r\nAccept: text/event-stream\r\nCookie: "
           + QByteArray::fromStdString(cookie) + "\r\n\r\n";
}

TEST_F(WebServerTest, StreamCarriesEventsAndAQuietComment)
{
    RawConnection stream(server->Port());
    ASSERT_TRUE(stream.Send(StreamRequest(Session())));
    const QByteArray head = stream.Read(3000, "\r\n\r\n");
    EXPECT_TRUE(head.startsWith("HTTP/1.1 200")) << head.toStdString();
    EXPECT_TRUE(head.contains("Content-Type: text/event-stream")) << head.toStdString();
    ASSERT_TRUE(Within(3000, [&] { return hub.StreamCount() == 1; }));

    hub.Publish(StreamEvent("served", R"({"id":7})"));
    EXPECT_TRUE(stream.Read(3000, "\n\n").contains("event: served\ndata: {\"id\":7}\n\n"));
    EXPECT_FALSE(stream.Read(1500).contains(": ")) << "no comment before 15 s";
    now += 15 * kSecond;
    EXPECT_TRUE(stream.Read(3000, "\n\n").contains(":")) << "a comment after 15 s without an event";
}

TEST_F(WebServerTest, AHundredStreamsAtMostAndAClosedOneFreesItsPlace)
{
    const std::string session = Session();
    std::vector<std::unique_ptr<RawConnection>> streams;
    for (int i = 0; i < TWebHub::MaxStreams; ++i) {
        streams.push_back(std::make_unique<RawConnection>(server->Port()));
        ASSERT_TRUE(streams.back()->Send(StreamRequest(session)));
    }
    ASSERT_TRUE(Within(10000, [&] { return hub.StreamCount() == TWebHub::MaxStreams; })) << hub.StreamCount();
    EXPECT_EQ(Get("/api/events", session)->status, 503);
    EXPECT_EQ(Get("/api/calls", session)->status, 200) << "ordinary requests still served";

    // A browser that goes away while nothing is sent: its place is free well within 20 s.
    streams.front()->Close();
    EXPECT_TRUE(Within(5000, [&] { return hub.StreamCount() == TWebHub::MaxStreams - 1; })) << hub.StreamCount();
}

TEST_F(WebServerTest, MalformedRequestsAreRefusedAndTheServerServesOn)
{
    for (const MalformedRequest& request : MalformedRequests()) {
        SCOPED_TRACE(request.what);
        RawConnection connection(server->Port());
        connection.Send(request.bytes);
        // Half-closed as a client that has said all it will: the server must not wait for more.
        ::shutdown(connection.Fd(), SHUT_WR);
        const QByteArray answer = connection.Read(8000);
        EXPECT_TRUE(RefusedOrClosed(answer)) << answer.left(200).toStdString();
    }
    EXPECT_EQ(Get("/api/calls", Session())->status, 200);
}

TEST(WebHub, AStreamThatFallsBehindLosesOnlyItself)
{
    TWebHub hub;
    const std::shared_ptr<TWebStream> slow = hub.OpenStream();
    const std::shared_ptr<TWebStream> quick = hub.OpenStream();
    std::vector<QByteArray> events;
    for (size_t i = 0; i <= TWebHub::QueueLimit; ++i) {
        hub.Publish(StreamEvent("state", QByteArray::number(int(i))));
        ASSERT_TRUE(quick->Take(std::chrono::milliseconds(0), &events));
        ASSERT_EQ(events.size(), 1u);
    }
    EXPECT_FALSE(slow->Take(std::chrono::milliseconds(0), &events));
}

TEST(WebServerBacklog, SixtyFourConnectionsWaitUnaccepted)
{
    ManualClock clock;
    TWebHub hub;
    TWebServer server(LoopbackSettings(), TEnvironment{}, clock, hub);
    QString error;
    ASSERT_TRUE(server.Bind(&error)) << error.toStdString();  // bound and listening, but nothing accepts
    std::vector<std::unique_ptr<RawConnection>> waiting;
    for (int i = 0; i < 64; ++i)
        waiting.push_back(std::make_unique<RawConnection>(server.Port(), false));
    int connected = 0;
    for (const auto& c : waiting)
        connected += c->Connected(500) ? 1 : 0;
    EXPECT_EQ(connected, 64);
}

TEST(WebServerListen, ATakenPortIsReported)
{
    ManualClock clock;
    TWebHub hub;
    TWebServer first(LoopbackSettings(), TEnvironment{}, clock, hub);
    ASSERT_TRUE(first.Listen(nullptr));
    const TWebSettings settings = LoopbackSettings(first.Port());
    TWebHub otherHub;
    TWebServer second(settings, TEnvironment{}, clock, otherHub);
    QString error;
    EXPECT_FALSE(second.Listen(&error));
    EXPECT_TRUE(error.contains(settings.Address())) << error.toStdString();
}

}  // namespace
