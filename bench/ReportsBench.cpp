// The back office over a call log of 1 000 000 rows in two years (2024-2025):
// a month's history (first screen, whole count), the yearly summary and a
// 100 000-row export, each beside the bare SQLite query for the same result.
// The log is generated once into $CALLSTATION_BENCH_DATA (default: a folder in
// the temporary directory) and reused by later runs.
#include "CallLogGenerator.h"

#include "core/Config.h"
#include "core/DataStore.h"
#include "reports/HistoryExport.h"
#include "reports/HistoryModel.h"
#include "reports/StatReports.h"
#include "reports/TableSink.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr qint64 LogRows = 1000000;
const QDate FirstDay(2024, 1, 1);
const QDate MonthFrom(2025, 3, 1), MonthTo(2025, 3, 31);
const QDate ExportFrom(2025, 1, 1), ExportTo(2025, 3, 14);   // about 100 000 rows
const TStateTexts Texts{"", "已应答", "", "", "服务超时"};

QString DataDirectory()
{
    const QString dir = qEnvironmentVariable("CALLSTATION_BENCH_DATA", QDir::tempPath() + "/callstation-reports-bench");
    TDM_Sys store;
    QString error;
    if (!store.Open(dir, &error))
        qFatal("cannot open %s: %s", qPrintable(dir), qPrintable(error));
    // CallInfo.rows says how many calls the generated log holds (scripts/measure-latency-under-load reads it too).
    QFile rows(dir + "/CallInfo.rows");
    if (rows.open(QIODevice::ReadOnly) && rows.readAll().trimmed().toLongLong() == LogRows)
        return dir;
    rows.close();
    QSqlQuery q(store.Database());
    q.exec("delete from CallInfo");
    TCallLogPlan plan{FirstDay, 731, LogRows, 20261208, QDate(2025, 1, 1)};
    if (!GenerateCallLog(store, plan, &error))
        qFatal("cannot generate the call log: %s", qPrintable(error));
    if (rows.open(QIODevice::WriteOnly))
        rows.write(QByteArray::number(LogRows) + "\n");
    return dir;
}

const QString& Dir()
{
    static const QString dir = DataDirectory();
    return dir;
}

THistoryQuery Period(const QDate& from, const QDate& to)
{
    THistoryQuery q;
    q.SDate = from;
    q.EDate = to;
    return q;
}

// Resident memory of this process in MB (Linux), for the memory a result takes.
double ResidentMb()
{
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096.0 / (1024 * 1024) : 0;
}

// Runs the model's query until its signal arrives (the first screen, or the whole count).
template <typename Signal>
void RunUntil(THistoryModel& model, const THistoryQuery& q, Signal signal, bool waitComplete)
{
    QEventLoop loop;
    if (waitComplete)
        QObject::connect(&model, &THistoryModel::CountChanged, &loop, [&](int, bool done) { if (done) loop.quit(); });
    else
        QObject::connect(&model, signal, &loop, &QEventLoop::quit);
    model.Run(q);
    loop.exec();
}

void BM_HistoryMonth_FirstScreen(benchmark::State& state)
{
    THistoryModel model(Dir(), Texts);
    for (auto _ : state)
        RunUntil(model, Period(MonthFrom, MonthTo), &THistoryModel::FirstPageShown, false);
}
BENCHMARK(BM_HistoryMonth_FirstScreen)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HistoryMonth_Counted(benchmark::State& state)
{
    THistoryModel model(Dir(), Texts);
    for (auto _ : state)
        RunUntil(model, Period(MonthFrom, MonthTo), &THistoryModel::FirstPageShown, true);
    state.counters["rows"] = model.rowCount();
}
BENCHMARK(BM_HistoryMonth_Counted)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Bare_MonthFirstScreen(benchmark::State& state)
{
    TDM_Sys store;
    store.Open(Dir());
    for (auto _ : state) {
        QSqlQuery q(store.Database());
        q.setForwardOnly(true);
        q.prepare("select rowid, * from CallInfo where CallDate>=? and CallDate<=? order by CallDate, rowid limit 256");
        q.addBindValue(MonthFrom.toString("yyyy-MM-dd"));
        q.addBindValue(MonthTo.toString("yyyy-MM-dd"));
        q.exec();
        while (q.next())
            for (int c = 0; c < 12; ++c)
                benchmark::DoNotOptimize(q.value(c));
    }
}
BENCHMARK(BM_Bare_MonthFirstScreen)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Bare_MonthCount(benchmark::State& state)
{
    TDM_Sys store;
    store.Open(Dir());
    for (auto _ : state) {
        QSqlQuery q(store.Database());
        q.prepare("select count(*) from CallInfo where CallDate>=? and CallDate<=?");
        q.addBindValue(MonthFrom.toString("yyyy-MM-dd"));
        q.addBindValue(MonthTo.toString("yyyy-MM-dd"));
        q.exec();
        q.next();
        benchmark::DoNotOptimize(q.value(0));
    }
}
BENCHMARK(BM_Bare_MonthCount)->Unit(benchmark::kMillisecond)->UseRealTime();

// A view scrolled through a whole year (about 500 000 rows): memory stays bounded.
void BM_HistoryYear_ScrollThrough(benchmark::State& state)
{
    THistoryModel model(Dir(), Texts);
    const double before = ResidentMb();
    for (auto _ : state) {
        RunUntil(model, Period(QDate(2025, 1, 1), QDate(2025, 12, 31)), &THistoryModel::FirstPageShown, true);
        for (int row = 0; row < model.rowCount(); row += THistoryModel::PageRows) {
            QEventLoop loop;
            while (model.Cells(row).empty())
                loop.processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    state.counters["rows"] = model.rowCount();
    state.counters["cached_pages"] = model.CachedPageCount();
    state.counters["rss_growth_MB"] = ResidentMb() - before;
}
BENCHMARK(BM_HistoryYear_ScrollThrough)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_YearlySummary(benchmark::State& state)
{
    TDM_Sys store;
    store.Open(Dir());
    TReportRequest r;
    r.Kind = TReportKind::Yearly;
    r.Year = 2025;
    TStatReport report;
    for (auto _ : state)
        RunReport(store, r, report);
    state.counters["months"] = report.Grid.GroupCount();
}
BENCHMARK(BM_YearlySummary)->Unit(benchmark::kMillisecond);

void BM_Bare_YearlyCounts(benchmark::State& state)
{
    TDM_Sys store;
    store.Open(Dir());
    for (auto _ : state) {
        QSqlQuery q(store.Database());
        q.setForwardOnly(true);
        q.exec("select substr(CallDate, 6, 2), ServerState, count(*) from CallInfo "
               "where CallDate>='2025-01-01' and CallDate<='2025-12-31' group by 1, 2");
        while (q.next())
            benchmark::DoNotOptimize(q.value(2));
    }
}
BENCHMARK(BM_Bare_YearlyCounts)->Unit(benchmark::kMillisecond);

void BM_ExportHistory_Xlsx(benchmark::State& state)
{
    TDM_Sys store;
    store.Open(Dir());
    QTemporaryDir out;
    int rows = 0;
    for (auto _ : state) {
        auto sink = NewXlsxSink(out.filePath("history.xlsx"), "yyyy-MM-dd");
        QString error;
        if (WriteHistory(store, Period(ExportFrom, ExportTo), Texts, IsoDateFormat, *sink, "历史呼叫记录",
                         [&](int n) { rows = n; return true; }, &error) != TExportResult::Done)
            state.SkipWithError(qPrintable(error));
    }
    state.counters["rows"] = rows;
    state.counters["file_MB"] = QFile(out.filePath("history.xlsx")).size() / (1024.0 * 1024.0);
}
BENCHMARK(BM_ExportHistory_Xlsx)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Dir();   // generated before any timing
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
