// The headless station says what its line brought: noise, broken frames and good
// ones from the simulated receiver come back as the link counters' line, every
// ten minutes of the station's clock and once more at shutdown.
#include "StationProcess.h"

#include <gtest/gtest.h>

using namespace e2e;

TEST(HeadlessStation, SaysTheLinkCountersEveryTenMinutesAndAtShutdown)
{
    RestaurantOnALine line;
    ASSERT_TRUE(line.Prepare()) << "the receiver simulator did not start";
    // Ten minutes of station time in six seconds.
    Station station(line.Dir(), 100);
    ProcessLines& out = station.Out();
    ASSERT_TRUE(station.Start()) << station.Lines().toStdString();

    line.sim.Send("noise 20");                      // 20 bytes skipped
    line.sim.Send("badsum call 0002 11 10:00:20");  // 17 bytes, dropped
    line.sim.Send("badend short 10");               // 9 bytes, dropped
    line.sim.Send("raw AA 2F");                     // no such class: 2 bytes skipped
    line.sim.Send("call 0001 11 10:00:00");         // 17 bytes, acknowledged
    line.sim.Send("vcall 0002 12 10:00:05");        // 21 bytes, acknowledged
    ASSERT_TRUE(out.WaitFor("call ", 10000)) << station.Lines().toStdString();
    ASSERT_TRUE(out.WaitFor("call ", 10000)) << station.Lines().toStdString();
    line.sim.Process().closeWriteChannel();
    ASSERT_TRUE(line.sim.Process().waitForFinished(15000));
    EXPECT_EQ(line.sim.Out().Count("ACK OK"), 2) << line.sim.Out().All().join('\n').toStdString();

    const QString expected =
        QStringLiteral("link counters: received=86 skipped=22 frames=2 dropped=2 acks=2 ackfailed=0");
    // A loaded machine may pass the first ten minutes before the simulator has sent
    // everything; a later period then says the whole of it.
    QString periodic;
    int periods = 0;
    while (!periodic.endsWith(expected)) {
        ASSERT_TRUE(out.WaitFor("link counters:", 20000, &periodic)) << station.Lines().toStdString();
        ++periods;
    }

    ASSERT_TRUE(station.Stop());
    QString final;
    ASSERT_TRUE(out.WaitFor("link counters:", 2000, &final)) << station.Lines().toStdString();
    EXPECT_TRUE(final.endsWith(expected)) << final.toStdString();
    // Unchanged since: no further period's line came before the one at shutdown.
    EXPECT_EQ(out.Count("link counters:"), periods + 1) << station.Lines().toStdString();
}
