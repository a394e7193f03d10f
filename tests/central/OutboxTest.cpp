// The outbox of calls for the central server: a call enters it with its row of CallInfo or not at
// all, and a move that finds the shipper holding the outbox leaves everything as it was.
#include "calls/CallJournal.h"
#include "core/DataStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(CallOutbox, EntersWithTheLogRowAndWaitsItsTurnWhileTheShipperHoldsIt)
{
    QTemporaryDir tmp;
    TDM_Sys store;
    ASSERT_TRUE(store.Open(tmp.path()));
    TCallJournal journal;
    ASSERT_TRUE(journal.Open(tmp.path()));
    const TOutboxGate gate = std::make_shared<std::mutex>();
    journal.SetOutbox(gate);
    TCallOutbox outbox(gate);
    ASSERT_TRUE(outbox.Open(tmp.path()));
    TJournalEntry call;
    call.Row.CallDate = QDate(2026, 3, 1);
    call.Row.CallTime = QTime(12, 0);
    call.Row.CallArea = QStringLiteral("大厅");
    call.Row.ServerState = 1;
    const auto logRows = [&] {
        TQuery q(store);
        q.SetSQL(QStringLiteral("select count(*) as n from CallInfo"));
        return q.Open() ? q.FieldAsInteger(QStringLiteral("n")) : -1;
    };

    const struct {
        const char* name;
        bool shipperHolds;
        bool moved;
        int waiting;
        int lastOrdinal;
    } steps[] = {
        {"shipper holds the outbox: nothing moves", true, false, 0, -1},
        {"its turn: the row and its outbox entry", false, true, 1, 0},
        {"an identical call is the second of its kind", false, true, 2, 1},
    };
    for (const auto& s : steps) {
        std::unique_lock hold(*gate, std::defer_lock);
        if (s.shipperHolds)
            hold.lock();
        bool busy = false;
        EXPECT_EQ(journal.MoveToLog({call}, nullptr, &busy), s.moved) << s.name;
        EXPECT_EQ(busy, s.shipperHolds) << s.name;
        if (hold.owns_lock())
            hold.unlock();
        EXPECT_EQ(logRows(), s.waiting) << s.name;
        std::vector<TOutboxCall> waiting;
        ASSERT_TRUE(outbox.Read(10, waiting)) << s.name;
        ASSERT_EQ(static_cast<int>(waiting.size()), s.waiting) << s.name;
        if (!waiting.empty())
            EXPECT_EQ(waiting.back().Ordinal, s.lastOrdinal) << s.name;
    }
}

}  // namespace
