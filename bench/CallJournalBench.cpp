// The disk work a call costs: the journal write when it opens and when it ends
// (on the way of the frames that follow), and the move of ended calls into
// CallInfo (at a quiet moment). In a directory on disk (not a RAM file system):
// CALLSTATION_BENCH_DIR, or the system's temporary directory.
#include "calls/CallJournal.h"
#include "core/DataStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString BenchDir()
{
    const QString dir = qEnvironmentVariable("CALLSTATION_BENCH_DIR");
    return dir.isEmpty() ? QDir::tempPath() : dir;
}

TJournalEntry SampleCall()
{
    TJournalEntry e;
    e.Addr = 0x0102;
    e.Key = 11;
    e.OpenedAt = QTime(12, 0, 0);
    e.Row.CallDate = QDate(2026, 12, 8);
    e.Row.CallTime = QTime(12, 0, 0);
    e.Row.CallArea = QStringLiteral("Hall");
    e.Row.CallDesktop = QStringLiteral("T12");
    e.Row.ServerPersonnel = QStringLiteral("Anna");
    e.Row.CallType = QStringLiteral("BUTTON2");
    e.Row.ProcTime = QTime(12, 1, 0);
    e.Row.ProcPersonnel = QStringLiteral("Anna");
    e.Row.ServerTime = 60;
    return e;
}

struct JournalOnDisk {
    JournalOnDisk() : dir(BenchDir() + QStringLiteral("/journal-bench-XXXXXX"))
    {
        TDM_Sys store;   // creates CallInfo.db with its table
        store.Open(dir.path());
        journal.Open(dir.path());
    }
    QTemporaryDir dir;
    TCallJournal journal;
};

// One journal write: a call opening (the same cost as a call ending).
void BM_JournalWrite(benchmark::State& state)
{
    JournalOnDisk disk;
    const TJournalEntry call = SampleCall();
    for (auto _ : state)
        benchmark::DoNotOptimize(disk.journal.AddOpenCall(call));
}
BENCHMARK(BM_JournalWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// Ended calls moved into CallInfo and out of the journal in one transaction.
void BM_MoveToLog(benchmark::State& state)
{
    JournalOnDisk disk;
    std::vector<TJournalEntry> batch(static_cast<size_t>(state.range(0)), SampleCall());
    for (auto _ : state) {
        state.PauseTiming();
        for (TJournalEntry& e : batch)
            e.JournalId = disk.journal.KeepClosedCall(e);
        state.ResumeTiming();
        benchmark::DoNotOptimize(disk.journal.MoveToLog(batch));
    }
}
BENCHMARK(BM_MoveToLog)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
