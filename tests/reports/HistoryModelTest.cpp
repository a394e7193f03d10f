// The lazily fetched history list as a view drives it: Qt's model rules kept
// while rows arrive, a fast scroll that reads where it stops, and a cancel that
// interrupts the statement running on the worker.
#include "CallLogRows.h"
#include "support/PumpUntil.h"

#include "reports/HistoryColumns.h"
#include "reports/HistoryModel.h"
#include "reports/StoreWorker.h"
#include "reports/TableSink.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <future>
#include <set>
#include <sqlite3.h>

namespace {

// Counting and reading thousands of rows may take a while on a busy machine.
bool Until(const std::function<bool()>& done) { return PumpUntil(done, 30000); }

// An export target that holds the worker in Begin until released.
class HeldSink final : public ITableSink {
public:
    bool Begin(const TTableLayout&) override
    {
        begun_.set_value();
        release_.get_future().wait();
        return false;
    }
    bool Row(const std::vector<QVariant>&) override { return false; }
    bool Finish(QString* error) override
    {
        *error = QStringLiteral("held");
        return false;
    }
    void WaitBegun() { begun_.get_future().wait(); }
    void Release() { release_.set_value(); }

private:
    std::promise<void> begun_, release_;
};

class HistoryModelTest : public CallLogTest {
protected:
    static THistoryQuery Year()
    {
        THistoryQuery q;
        q.SDate = QDate(2026, 1, 1);
        q.EDate = QDate(2026, 12, 31);
        return q;
    }
    // Runs query and waits until every row is counted.
    static void Counted(THistoryModel& model, const THistoryQuery& query)
    {
        model.Run(query);
        ASSERT_TRUE(Until([&] { return !model.Counting(); }));
        ASSERT_TRUE(model.Error().isEmpty()) << model.Error().toStdString();
    }

    const TStateTexts texts{"", "已应答", "", "", "服务超时"};
};

TEST_F(HistoryModelTest, KeepsTheModelRulesWhileRowsArriveScrollAndTheQueryIsReplaced)
{
    LogMany({.date = "2026-03-15"}, 2 * THistoryModel::ChunkRows + 300);
    LogMany({.date = "2026-04-02", .server = "李四"}, 700);
    THistoryModel model(tmp.path(), texts);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);

    // Rows asked for while the count still grows, pages arriving in between.
    model.Run(Year());
    for (int r = 0; model.Counting(); r += 301) {
        if (model.rowCount() > 0)
            model.data(model.index(r % model.rowCount(), r % HistoryColumnCount));
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    }
    ASSERT_EQ(model.rowCount(), 2 * THistoryModel::ChunkRows + 1000);

    // Scrolled to the end and back to the top, a screen at a time.
    for (int r = model.rowCount() - 1; r >= 0; r -= 40) {
        model.data(model.index(r, 0));
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(Until([&] { return !model.Cells(0).empty(); }));

    // Replaced while pages and the count are still coming, then replaced again.
    model.data(model.index(model.rowCount() - 1, 9));
    THistoryQuery li = Year();
    li.SvrPersonnel = QStringLiteral("李四");
    model.Run(Year());
    model.Run(li);
    ASSERT_TRUE(Until([&] { return !model.Counting() && !model.Cells(699).empty(); }));
    EXPECT_EQ(model.rowCount(), 700);
    EXPECT_EQ(model.data(model.index(699, 5)).toString(), QStringLiteral("李四"));
    EXPECT_TRUE(model.Error().isEmpty()) << model.Error().toStdString();
    model.Run(Year());   // left while it counts: the model goes with its worker
}

TEST_F(HistoryModelTest, AFastScrollReadsWhereItStopsNotEveryPageItPassed)
{
    constexpr int pages = 100;
    constexpr int rows = pages * THistoryModel::PageRows;
    LogMany({.date = "2026-03-15"}, rows);
    THistoryModel model(tmp.path(), texts);
    Counted(model, Year());
    ASSERT_EQ(model.rowCount(), rows);
    ASSERT_TRUE(Until([&] { return !model.Cells(0).empty(); }));

    // While the worker is busy (an export waiting on its file), the view passes every page.
    auto sink = std::make_shared<HeldSink>();
    bool exported = false;
    model.Export(sink, QStringLiteral("s"), NewCancelFlag(), [](int) {},
                 [&](TExportResult, const QString&) { exported = true; });
    sink->WaitBegun();
    QSignalSpy read(&model, &QAbstractItemModel::dataChanged);
    for (int page = 1; page < pages; ++page)
        model.data(model.index(page * THistoryModel::PageRows + 10, 0));
    sink->Release();

    ASSERT_TRUE(Until([&] { return exported && !model.Cells(rows - 1).empty(); }));
    ASSERT_TRUE(Until([&] { return read.count() >= THistoryModel::PendingPages; }));
    QCoreApplication::processEvents();
    std::set<int> pagesRead;
    for (const QList<QVariant>& signal : read)
        pagesRead.insert(signal.at(0).toModelIndex().row() / THistoryModel::PageRows);
    EXPECT_EQ(pagesRead, (std::set<int>{96, 97, 98, 99})) << read.count() << " pages read";
}

TEST(StoreWorker, ACancelInterruptsTheRunningStatementOnly)
{
    QTemporaryDir dir;
    TStoreWorker worker(dir.path());
    const auto errorCode = [](const QSqlQuery& q) { return q.lastError().nativeErrorCode().toInt(); };

    // A statement that would count for minutes.
    std::atomic<int> outcome{-1};   // SQLITE_OK when it completed, else its error code
    std::atomic<bool> started{false};
    const TCancelFlag cancel = NewCancelFlag();
    worker.Post([&](TDM_Sys& store) {
        started = true;
        QSqlQuery q(store.Database());
        const bool done = q.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n "
                                                "where i < 4000000000) select count(*) from n"));
        outcome = done ? SQLITE_OK : errorCode(q);
    }, cancel);
    // Cancelled until it lands: a cancel before the statement starts only sets the flag.
    ASSERT_TRUE(Until([&] { return started.load(); }));
    ASSERT_TRUE(Until([&] {
        worker.Cancel(cancel);
        return outcome != -1;
    }));
    EXPECT_EQ(outcome, SQLITE_INTERRUPT);

    // A cancel with no statement running leaves the next statements alone; one
    // for a waiting job drops that job.
    const TCancelFlag idle = NewCancelFlag();
    std::promise<void> release;
    std::atomic<bool> holding{false};
    std::atomic<int> after{-1};
    worker.Post([&, released = release.get_future().share()](TDM_Sys& store) {
        holding = true;
        released.wait();
        QSqlQuery q(store.Database());
        after = q.exec(QStringLiteral("select count(*) from CallInfo")) && q.next() ? SQLITE_OK : errorCode(q);
    }, idle);
    ASSERT_TRUE(Until([&] { return holding.load(); }));
    worker.Cancel(idle);
    worker.Cancel(cancel);
    std::atomic<bool> droppedRan{false};
    const TCancelFlag waiting = NewCancelFlag();
    worker.Post([&](TDM_Sys&) { droppedRan = true; }, waiting);
    worker.Cancel(waiting);
    std::atomic<bool> last{false};
    worker.Post([&](TDM_Sys&) { last = true; });
    release.set_value();
    ASSERT_TRUE(Until([&] { return last.load(); }));
    EXPECT_EQ(after, SQLITE_OK);
    EXPECT_FALSE(droppedRan);
}

}  // namespace
