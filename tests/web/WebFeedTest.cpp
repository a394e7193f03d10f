// The feed turns the tracker's events into the stream's events and the live-call snapshot.
#include "calls/CallRecord.h"
#include "core/Clock.h"
#include "core/Config.h"
#include "web/WebFeed.h"

#include <gtest/gtest.h>

namespace {

// Everything the stream holds now, one event a string.
std::vector<QByteArray> Drain(TWebStream& stream)
{
    std::vector<QByteArray> events;
    stream.Take(std::chrono::milliseconds(0), &events);
    return events;
}

}  // namespace

TEST(WebFeed, ACallStaysListedPastItsTimeOutWhenTheSettingsKeepIt)
{
    ManualClock clock;
    TConfig cfg;
    cfg.ServiceTimeOutKeepOnTime = true;
    TCallRecordList records;
    TWebHub hub;
    TWebFeed feed(hub, clock, cfg, records);
    const std::shared_ptr<TWebStream> stream = hub.OpenStream();

    TCallRecord* rec = records.Append();
    rec->CallDesktop = "A1";
    feed.CallOpened(*rec, QString());
    ASSERT_EQ(Drain(*stream).size(), 1u);

    struct Step {
        uint8_t state;
        std::vector<QByteArray> events;
    };
    const QByteArray id = QByteArray::number(qulonglong(rec->Id));
    const Step steps[] = {
        {0, {}},
        {1, {"event: state\ndata: {\"id\":" + id + ",\"state\":1}\n\n"}},
        {1, {}},
        {3, {"event: timedout\ndata: {\"id\":" + id + "}\n\n"}},  // straight past pre-warning 2
        {3, {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(int(step.state));
        rec->State = step.state;
        feed.CallsTimed();
        EXPECT_EQ(Drain(*stream), step.events);
        ASSERT_EQ(hub.Calls().size(), 1u);
        EXPECT_EQ(hub.Calls().front().State, step.state);
    }
    feed.CallServed(*rec, "002", QTime(10, 0, 40), 40);
    EXPECT_EQ(Drain(*stream), std::vector<QByteArray>{"event: served\ndata: {\"id\":" + id
                                                      + ",\"seconds\":40,\"server\":\"002\",\"time\":\"10:00:40\"}\n\n"});
    EXPECT_TRUE(hub.Calls().empty());
}

TEST(WebFeed, TheLinkIsToldOnChangeAndToEveryNewStream)
{
    ManualClock clock;
    TConfig cfg;
    TCallRecordList records;
    TWebHub hub;
    TWebFeed feed(hub, clock, cfg, records);
    const std::shared_ptr<TWebStream> early = hub.OpenStream();
    feed.LinkChanged("ttyUSB0 9600bps", true);
    feed.LinkChanged("ttyUSB0 9600bps", true);
    feed.LinkChanged("gone", false);
    EXPECT_EQ(Drain(*early).size(), 2u);
    const std::shared_ptr<TWebStream> late = hub.OpenStream();
    EXPECT_EQ(Drain(*late), std::vector<QByteArray>{"event: link\ndata: {\"ok\":false,\"text\":\"gone\"}\n\n"});
}
