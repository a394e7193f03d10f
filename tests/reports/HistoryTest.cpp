// The history conditions as the rows they select, the result read in pieces,
// the cells shown, and the lazily fetched list.
#include "CallLogRows.h"

#include "core/Config.h"
#include "reports/HistoryColumns.h"
#include "reports/HistoryModel.h"
#include "reports/HistoryReader.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QElapsedTimer>
#include <functional>

namespace {

class HistoryTest : public CallLogTest {
protected:
    void SetUp() override
    {
        CallLogTest::SetUp();
        // Each row is told apart by its call time.
        Log({.date = "2026-03-01", .time = "10:00:01", .server = "张三", .serverTime = 30});
        Log({.date = "2026-03-02", .time = "10:00:02", .desktop = "A2", .type = "BUTTON2", .server = " 张三",
             .procTime = {}, .proc = {}, .serverTime = 60, .state = 1});
        Log({.date = "2026-03-03", .time = "10:00:03", .area = "包间", .server = "李\"四", .proc = "王五",
             .serverTime = 120});
        Log({.date = "2026-03-04", .time = "10:00:04", .area = "包间", .desktop = "B1", .type = "BUTTON3",
             .procTime = {}, .proc = {}, .serverTime = 121, .state = 1});
        Log({.date = "2026-02-28", .time = "10:00:05"});
    }

    THistoryQuery March() const
    {
        THistoryQuery q;
        q.SDate = QDate(2026, 3, 1);
        q.EDate = QDate(2026, 3, 31);
        return q;
    }

    // The call times of the rows the conditions select, in result order.
    QStringList Selected(const THistoryQuery& q)
    {
        THistoryReader reader(store, q);
        std::vector<THistoryRow> rows;
        QString error;
        EXPECT_TRUE(reader.Rows(nullptr, false, 100, rows, &error)) << error.toStdString();
        QStringList times;
        for (const THistoryRow& r : rows)
            times << r.Stored[1].toString().right(1);
        return times;
    }
};

TEST_F(HistoryTest, EachConditionSelectsItsRows)
{
    const struct {
        const char* name;
        std::function<void(THistoryQuery&)> set;
        QStringList rows;
    } cases[] = {
        {"dates only", [](THistoryQuery&) {}, {"1", "2", "3", "4"}},
        {"end date inclusive", [](THistoryQuery& q) { q.EDate = QDate(2026, 3, 3); }, {"1", "2", "3"}},
        {"start after end", [](THistoryQuery& q) { q.SDate = QDate(2026, 4, 1); }, {}},
        {"area", [](THistoryQuery& q) { q.Area = "大厅"; }, {"1", "2"}},
        {"area and position", [](THistoryQuery& q) { q.Area = "大厅"; q.Desktop = "A1"; }, {"1"}},
        {"position without area sets nothing", [](THistoryQuery& q) { q.Desktop = "A1"; }, {"1", "2", "3", "4"}},
        {"service type", [](THistoryQuery& q) { q.SvrType = "BUTTON1"; }, {"1", "3"}},
        {"server exactly as typed", [](THistoryQuery& q) { q.SvrPersonnel = "张三"; }, {"1", "4"}},
        {"leading blank matches only that name", [](THistoryQuery& q) { q.SvrPersonnel = " 张三"; }, {"2"}},
        {"blanks only set no condition", [](THistoryQuery& q) { q.SvrPersonnel = "   "; q.ProcPersonnel = " "; },
         {"1", "2", "3", "4"}},
        {"name holding a double quote", [](THistoryQuery& q) { q.SvrPersonnel = "李\"四"; }, {"3"}},
        {"quote cannot widen the condition", [](THistoryQuery& q) { q.SvrPersonnel = "\" or \"\"=\""; }, {}},
        {"state 1 is answered", [](THistoryQuery& q) { q.SvrState = 1; }, {"1", "3"}},
        {"state 2 is ServerState 1", [](THistoryQuery& q) { q.SvrState = 2; }, {"2", "4"}},
        {"processing person", [](THistoryQuery& q) { q.ProcPersonnel = "王五"; }, {"3"}},
        {"service time bounds inclusive", [](THistoryQuery& q) { q.SvrTimeOn = true; q.SSvrTime = 60; q.ESvrTime = 120; },
         {"2", "3"}},
    };
    for (const auto& c : cases) {
        THistoryQuery q = March();
        c.set(q);
        EXPECT_EQ(Selected(q), c.rows) << c.name;
    }
}

TEST_F(HistoryTest, PiecesJoinUpInDateOrderWhateverTheWritingOrder)
{
    Log({.date = "2026-03-02", .time = "10:00:06"});   // written last, shown with its date
    THistoryQuery q = March();
    THistoryReader reader(store, q);
    QStringList joined;
    std::vector<THistoryRow> rows;
    for (bool first = true;; first = false) {
        THistoryKey after = rows.empty() ? THistoryKey{} : rows.back().Key;
        ASSERT_TRUE(reader.Rows(first ? nullptr : &after, false, 2, rows));
        for (const THistoryRow& r : rows)
            joined << r.Stored[1].toString().right(1);
        if (rows.size() < 2)
            break;
    }
    EXPECT_EQ(joined, QStringList({"1", "2", "6", "3", "4"}));
}

// A call log from before the date index existed keeps its rows and gains the index.
TEST(CallLogFile, AnOlderCallLogGetsItsDateIndexAtStartUp)
{
    QTemporaryDir dir;
    {
        QSqlDatabase old = QSqlDatabase::addDatabase("QSQLITE", "old-call-log");
        old.setDatabaseName(dir.filePath("CallInfo.db"));
        ASSERT_TRUE(old.open());
        QSqlQuery q(old);
        ASSERT_TRUE(q.exec("create table CallInfo (CallDate TEXT, CallTime TEXT, CallArea TEXT, CallDesktop TEXT, "
                           "CallType TEXT, ServerPersonnel TEXT, ProcTime TEXT, ProcPersonnel TEXT, ServerTime INTEGER, "
                           "ServerState INTEGER, UserNumber TEXT)"));
        ASSERT_TRUE(q.exec("insert into CallInfo (CallDate) values ('2026-03-01')"));
        q.finish();
        old.close();
    }
    QSqlDatabase::removeDatabase("old-call-log");
    TDM_Sys store;
    ASSERT_TRUE(store.Open(dir.path()));
    QSqlQuery plan(store.Database());
    ASSERT_TRUE(plan.exec("explain query plan select * from CallInfo where CallDate>='2026-03-01' and CallDate<='2026-03-31'"));
    ASSERT_TRUE(plan.next());
    EXPECT_TRUE(plan.value(3).toString().contains("INDEX")) << plan.value(3).toString().toStdString();
    THistoryQuery q;
    q.SDate = QDate(2026, 3, 1);
    q.EDate = QDate(2026, 3, 31);
    std::vector<THistoryRow> rows;
    ASSERT_TRUE(THistoryReader(store, q).Rows(nullptr, false, 10, rows));
    EXPECT_EQ(rows.size(), 1u);
}

TEST(HistoryCells, ShowStoredValuesAsTheGridDoes)
{
    const TStateTexts texts{"", "已应答", "", "", "服务超时"};
    const auto shown = [&](const std::vector<QVariant>& stored) {
        QStringList t;
        const std::vector<QVariant> cells = HistoryCells(stored, texts);
        for (int c = 0; c < HistoryColumnCount; ++c)
            t << CellText(HistoryColumns()[c].Kind, cells[c], "dd/MM/yyyy");
        return t;
    };
    EXPECT_EQ(shown({"2026-12-08", "23:59:50", "大厅", "A1", "BUTTON1", "张三", 3725, 0, "00:00:10", "张三"}),
              QStringList({"08/12/2026", "23:59:50", "大厅", "A1", "BUTTON1", "张三", "01:02:05", "已应答", "00:00:10", "张三"}));
    // A missing value is shown empty, never as 00:00:00 or as answered.
    EXPECT_EQ(shown({"2026-12-08", "12:00:00", "", "A1", "BUTTON1", "", 360000, 7, {}, {}}),
              QStringList({"08/12/2026", "12:00:00", "", "A1", "BUTTON1", "", "100:00:00", "服务超时", "", ""}));
    EXPECT_EQ(shown({"2026-12-08", "12:00:00", "", "", "", "", {}, {}, {}, {}})[7], "");
}

// The model fetches rows as they are shown and keeps a bounded number of pages,
// whether the result ends on a chunk of the count or inside one.
TEST_F(HistoryTest, LazyListCountsAllRowsAndKeepsFewPages)
{
    const TStateTexts texts{"", "已应答", "", "", "服务超时"};
    int logged = 4;
    for (const int rows : {THistoryModel::ChunkRows, 20 * THistoryModel::PageRows + 7}) {
        LogMany({.date = "2026-03-15"}, rows - logged);
        logged = rows;
        THistoryModel model(tmp.path(), texts, QStringLiteral("dd/MM/yyyy"));
        bool complete = false;
        QObject::connect(&model, &THistoryModel::CountChanged, [&](int, bool done) { complete = done; });
        model.Run(March());
        QElapsedTimer t;
        t.start();
        while (!complete && t.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_TRUE(complete);
        ASSERT_EQ(model.rowCount(), rows);

        // Every row once, as a view scrolling to the end would ask for it.
        int seen = 0;
        for (int r = 0; r < rows; ++r) {
            std::vector<QVariant> cells = model.Cells(r);
            while (cells.empty() && t.elapsed() < 20000) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
                cells = model.Cells(r);
            }
            seen += cells.empty() ? 0 : 1;
            EXPECT_LE(model.CachedPageCount(), THistoryModel::CachedPages);
        }
        EXPECT_EQ(seen, rows);
        EXPECT_EQ(model.data(model.index(rows - 1, 0)).toString(), "15/03/2026");
        EXPECT_EQ(model.data(model.index(3, 7)).toString(), "服务超时");   // 2026-03-04, timed out
    }
}

}  // namespace
