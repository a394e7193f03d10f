// The station with its web page on, as a process: frames from the simulated receiver come out of
// the event stream as each kind of event, while malformed requests hammer the page and every frame
// is still acknowledged.
#include "StationProcess.h"
#include "web/MalformedRequests.h"
#include "web/RawHttp.h"
#include "web/WebFixtures.h"


#include <QTcpServer>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <httplib.h>
#include <thread>

using namespace e2e;

namespace {

constexpr int kClockRate = 10;  // pre-warnings at 3 s and 6 s, the time-out at 12 s

int FreePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
}

// The event stream as read so far; Next finds the next event of a name whose data holds text.
class EventReader {
public:
    explicit EventReader(RawConnection& stream) : stream_(stream) {}
    QByteArray Next(const QByteArray& name, const QByteArray& text, int ms)
    {
        const QByteArray head = "event: " + name + "\ndata: ";
        QElapsedTimer timer;
        timer.start();
        for (;;) {
            for (qsizetype at = seen_.indexOf(head); at >= 0; at = seen_.indexOf(head, at + 1)) {
                const qsizetype end = seen_.indexOf("\n\n", at);
                if (end < 0)
                    break;
                const QByteArray data = seen_.mid(at + head.size(), end - at - head.size());
                if (data.contains(text)) {
                    seen_.remove(0, end + 2);
                    return data;
                }
            }
            if (timer.elapsed() > ms)
                return QByteArray();
            seen_ += stream_.Read(200);
        }
    }
    const QByteArray& Seen() const { return seen_; }

private:
    RawConnection& stream_;
    QByteArray seen_;
};

}  // namespace

TEST(WebPage, EachEventKindFollowsTheReceiverWhileBadRequestsChangeNothing)
{
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    SeedRestaurant(data.path());
    AddOperator(data.path(), "anna", "s3cret");
    const QString device = data.filePath("ttyUSB0");
    auto sim = std::make_unique<SimProcess>();
    QString pty;
    ASSERT_TRUE(sim->Start(&pty, {"--link", device}));
    WriteConfig(data.path(), device);
    const int port = FreePort();
    {
        QFile ini(data.filePath("Config.ini"));
        ASSERT_TRUE(ini.open(QIODevice::Append));
        ini.write("[Web]\r\nListen=" + QByteArray::number(port) + "\r\n");
    }
    Station station(data.path(), kClockRate);
    ASSERT_TRUE(station.Start()) << station.Lines().toStdString();
    ASSERT_TRUE(station.Out().WaitFor("web page on http://127.0.0.1:" + QString::number(port), 5000))
        << station.Lines().toStdString();

    httplib::Client client("127.0.0.1", port);
    const httplib::Result login =
        client.Post("/api/login", R"({"name":"anna","password":"s3cret"})", "application/json");
    ASSERT_TRUE(login && login->status == 200);
    const std::string cookie = login->get_header_value("Set-Cookie");
    RawConnection stream(port);
    ASSERT_TRUE(stream.Send("GET /api/events HTTP/1.1\r\nHost: station\r\nCookie: "
                            + QByteArray::fromStdString(cookie.substr(0, cookie.find(';'))) + "\r\n\r\n"));
    EventReader events(stream);
    EXPECT_FALSE(events.Next("link", "\"ok\":true", 5000).isEmpty()) << "a new stream starts with the link";

    // Malformed requests all along, from another thread, as a hostile client would send them.
    std::atomic<bool> hammer{true};
    std::atomic<int> badAnswers{0};
    std::string firstBad;
    std::thread hostile([&] {
        while (hammer)
            for (const MalformedRequest& request : MalformedRequests()) {
                RawConnection connection(port);
                connection.Send(request.bytes);
                ::shutdown(connection.Fd(), SHUT_WR);
                const QByteArray answer = connection.Read(8000);
                if (!RefusedOrClosed(answer) && badAnswers++ == 0)
                    firstBad = request.what + (": " + answer.left(100).toStdString());
            }
    });

    sim->Send("call 0001 11 10:00:00");
    const QByteArray opened = events.Next("opened", "\"position\":\"A1\"", 5000);
    EXPECT_TRUE(opened.contains("\"time\":\"10:00:00\"")) << events.Seen().toStdString();
    EXPECT_TRUE(opened.contains("\"server\":\"" + QByteArray("张三") + "\"")) << opened.toStdString();
    sim->Send("cancel 0001 05 10:00:40");
    const QByteArray served = events.Next("served", "\"time\":\"10:00:40\"", 5000);
    EXPECT_TRUE(served.contains("\"seconds\":40")) << events.Seen().toStdString();

    // A call left alone passes both pre-warnings and the time-out.
    sim->Send("call 0002 12 10:01:00");
    const QByteArray second = events.Next("opened", "\"position\":\"A2\"", 5000);
    ASSERT_FALSE(second.isEmpty()) << events.Seen().toStdString();
    const QByteArray id = second.mid(second.indexOf("\"id\":"), second.indexOf(',', second.indexOf("\"id\":"))
                                                                    - second.indexOf("\"id\":"));
    EXPECT_FALSE(events.Next("state", id + ",\"state\":1", 8000).isEmpty()) << events.Seen().toStdString();
    EXPECT_FALSE(events.Next("state", id + ",\"state\":2", 8000).isEmpty()) << events.Seen().toStdString();
    EXPECT_FALSE(events.Next("timedout", id, 12000).isEmpty()) << events.Seen().toStdString();
    hammer = false;
    hostile.join();
    EXPECT_EQ(badAnswers, 0) << firstBad;

    // The receiver pulled out: the link goes.
    sim->Process().closeWriteChannel();
    ASSERT_TRUE(sim->Process().waitForFinished(15000));
    EXPECT_EQ(sim->Out().Count("ACK OK"), 3) << sim->Out().All().join('\n').toStdString();
    sim.reset();
    QFile::remove(device);
    EXPECT_FALSE(events.Next("link", "\"ok\":false", 8000).isEmpty()) << events.Seen().toStdString();
    EXPECT_TRUE(station.Stop());
}
