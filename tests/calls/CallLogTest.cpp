// The call log: the rows of served and not-served calls as stored, the
// service duration, timing across a tick wrap, the staff number, and the
// journal that keeps calls through a locked log and through crashes.
#include "calls/CallLog.h"
#include "calls/CallRecord.h"
#include "calls/DutyLookup.h"
#include "core/Clock.h"
#include "core/Config.h"
#include "core/DataStore.h"
#include "core/ResStrings.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(ServiceDuration, IsTheDistanceBetweenTimesOfDayWithoutMidnight)
{
    EXPECT_EQ(ServiceDuration(QTime(12, 0, 0), QTime(12, 1, 5)), 65);
    EXPECT_EQ(ServiceDuration(QTime(12, 1, 5), QTime(12, 0, 0)), 65);
    EXPECT_EQ(ServiceDuration(QTime(23, 59, 50), QTime(0, 0, 10)), 23 * 3600 + 59 * 60 + 40);
    EXPECT_EQ(ServiceDuration(QTime(8, 0, 0), QTime(8, 0, 0)), 0);
}

class CallLogTest : public ::testing::Test {
public:
    // Another program's transaction on CallInfo.db that keeps every writer out.
    struct ForeignLock {
        explicit ForeignLock(const QString& dir)
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Name);
            db.setDatabaseName(dir + QStringLiteral("/CallInfo.db"));
            EXPECT_TRUE(db.open());
            EXPECT_TRUE(QSqlQuery(db).exec(QStringLiteral("begin exclusive")));
        }
        ~ForeignLock()
        {
            {
                QSqlDatabase db = QSqlDatabase::database(Name);
                QSqlQuery(db).exec(QStringLiteral("rollback"));
                db.close();
            }
            QSqlDatabase::removeDatabase(Name);
        }
        const QString Name = QStringLiteral("foreign");
    };

protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        QString error;
        ASSERT_TRUE(store.Open(tmp.path(), &error)) << error.toStdString();
        cfg.ServerType1 = QStringLiteral("Water");
        cfg.ServerType2 = QStringLiteral("Bill");
        rec.CallDate = QDate(2026, 12, 8);
        rec.CallTime = QTime(23, 59, 50);
        rec.Addr = 0x1234;
        rec.CallArea = QStringLiteral("Hall \"A\"");
        rec.CallDesktop = QStringLiteral("Table 'one'");
        rec.ServerPersonnel = QStringLiteral("Anna");
        rec.Key = 12;
        StartStation();
    }

    // A station's journal and log on the data directory, as at start-up; the
    // calls that were live come back in Recovered.
    void StartStation()
    {
        log.reset();
        journal = std::make_unique<TCallJournal>();
        log = std::make_unique<TCallLog>(*journal, clock, cfg, duty);
        log->OnStatusChanged = [this](const QString& text, bool isError) { Status << (isError ? "red: " : "") + text; };
        ASSERT_TRUE(log->Open(tmp.path()));
        Recovered = log->Recover();
    }

    // The rows once the log has moved every waiting one.
    QList<QVariantMap> Logged()
    {
        log->Flush();
        return Rows();
    }

    // Every column of every CallInfo row, by name.
    QList<QVariantMap> Rows()
    {
        QSqlQuery q(store.Database());
        EXPECT_TRUE(q.exec(QStringLiteral("select * from CallInfo order by rowid")));
        QList<QVariantMap> rows;
        while (q.next()) {
            QVariantMap row;
            for (int i = 0; i < q.record().count(); ++i)
                row.insert(q.record().fieldName(i), q.value(i));
            rows << row;
        }
        return rows;
    }

    int JournalEntries()
    {
        TCallJournal reader;
        std::vector<TJournalEntry> entries;
        EXPECT_TRUE(reader.Open(tmp.path()));
        EXPECT_TRUE(reader.ReadAll(entries));
        return static_cast<int>(entries.size());
    }

    QTemporaryDir tmp;
    TDM_Sys store;
    ManualClock clock;
    TConfig cfg;
    TDutyLookup duty{store, clock};
    std::unique_ptr<TCallJournal> journal;
    std::unique_ptr<TCallLog> log;
    std::vector<TRecoveredCall> Recovered;
    QStringList Status;
    TCallRecord rec;
};

TEST_F(CallLogTest, ServedRowHoldsTheCallAsRecordedAndItsDuration)
{
    log->LogServedCall(rec, QStringLiteral("Ben"), QTime(0, 0, 10));
    // Journaled at once; in CallInfo after a quiet moment.
    EXPECT_EQ(log->Waiting(), 1);
    EXPECT_TRUE(Rows().isEmpty());
    QDeadlineTimer deadline(TCallLog::QuietMs + 1000);
    while (log->Waiting() > 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(log->Waiting(), 0) << log->StatusText().toStdString();
    const QList<QVariantMap> rows = Rows();
    ASSERT_EQ(rows.size(), 1);
    const QVariantMap& row = rows[0];
    EXPECT_EQ(row["CallDate"].toString(), QStringLiteral("2026-12-08"));
    EXPECT_EQ(row["CallTime"].toString(), QStringLiteral("23:59:50"));
    EXPECT_EQ(row["CallArea"].toString(), QStringLiteral("Hall \"A\""));
    EXPECT_EQ(row["CallDesktop"].toString(), QStringLiteral("Table 'one'"));
    EXPECT_EQ(row["CallType"].toString(), QStringLiteral("Water"));
    EXPECT_EQ(row["ServerPersonnel"].toString(), QStringLiteral("Anna"));
    EXPECT_EQ(row["ProcTime"].toString(), QStringLiteral("00:00:10"));
    EXPECT_EQ(row["ProcPersonnel"].toString(), QStringLiteral("Ben"));
    EXPECT_EQ(row["ServerTime"].toInt(), 86380);
    EXPECT_EQ(row["ServerState"].toInt(), 0);
    EXPECT_TRUE(row["UserNumber"].isNull());
}

TEST_F(CallLogTest, EmptyTextsAreStoredEmptyNotNull)
{
    rec.CallArea = QString();
    rec.ServerPersonnel = QString();
    log->LogServedCall(rec, QString(), QTime(0, 0, 10));

    const QVariantMap row = Logged().value(0);
    for (const char* column : {"CallArea", "ServerPersonnel", "ProcPersonnel"}) {
        EXPECT_FALSE(row[column].isNull()) << column;
        EXPECT_EQ(row[column].toString(), QString()) << column;
    }
}

TEST_F(CallLogTest, ServiceTypeIsNamedAsTheSettingsReadWhenWritten)
{
    rec.Key = 11;
    log->LogUnservedCall(rec);
    cfg.ServerType2 = QStringLiteral("Cheque");
    log->LogUnservedCall(rec);
    rec.Key = 14;
    log->LogUnservedCall(rec);

    const QList<QVariantMap> rows = Logged();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0]["CallType"].toString(), QStringLiteral("Bill"));
    EXPECT_EQ(rows[1]["CallType"].toString(), QStringLiteral("Cheque"));
    EXPECT_EQ(rows[2]["CallType"].toString(), QStringLiteral("Unknow"));
}

TEST_F(CallLogTest, UnservedRowHasNoCancelAndTheWholeSecondsTimed)
{
    clock.SetTick(1000);
    rec.Tick = clock.Tick();
    clock.Advance(121500);
    log->LogUnservedCall(rec);

    const QVariantMap row = Logged().value(0);
    EXPECT_EQ(row["CallDate"].toString(), QStringLiteral("2026-12-08"));
    EXPECT_EQ(row["CallTime"].toString(), QStringLiteral("23:59:50"));
    EXPECT_EQ(row["CallArea"].toString(), QStringLiteral("Hall \"A\""));
    EXPECT_EQ(row["ServerPersonnel"].toString(), QStringLiteral("Anna"));
    EXPECT_TRUE(row["ProcTime"].isNull());
    EXPECT_TRUE(row["ProcPersonnel"].isNull());
    EXPECT_TRUE(row["UserNumber"].isNull());
    EXPECT_EQ(row["ServerTime"].toInt(), 121);
    EXPECT_EQ(row["ServerState"].toInt(), 1);
}

TEST_F(CallLogTest, UnservedTimingSurvivesATickWrap)
{
    clock.SetTick(0xFFFFFFFFu - 20000);
    rec.Tick = clock.Tick();
    clock.Advance(121500);   // wraps past zero
    ASSERT_LT(clock.Tick(), rec.Tick);
    log->LogUnservedCall(rec);
    EXPECT_EQ(Logged().value(0)["ServerTime"].toInt(), 121);
}

TEST_F(CallLogTest, TheRecordedWaitersStaffNumberIsLogged)
{
    const QString addWaiter = QStringLiteral("insert into Waiter values(?, ?, '', 1, 0, '')");
    for (const auto& [number, name] : {std::pair{" 007 ", "Anna"}, std::pair{"008", "anna"}}) {
        TQuery q(store);
        q.SetSQL(addWaiter);
        q.Bind(QString::fromLatin1(number));
        q.Bind(QString::fromLatin1(name));
        ASSERT_TRUE(q.ExecSQL()) << q.LastError().toStdString();
    }
    ASSERT_TRUE(duty.ReopenQueries());

    const struct {
        const char* waiter;
        QVariant number;
    } cases[] = {{"Anna", "007"}, {"anna", "008"}, {"Nobody", QVariant()}, {"", QVariant()}};
    for (const auto& c : cases) {
        rec.ServerPersonnel = QString::fromLatin1(c.waiter);
        log->CallOpened(rec);
        log->LogServedCall(rec, QStringLiteral("Ben"), QTime(0, 0, 10));
    }
    const QList<QVariantMap> rows = Logged();
    ASSERT_EQ(rows.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(rows[i]["UserNumber"].toString(), cases[i].number.toString()) << cases[i].waiter;
        EXPECT_EQ(rows[i]["UserNumber"].isNull(), cases[i].number.isNull()) << cases[i].waiter;
    }
}

// Ways the call log cannot be written for a while; each returns what ends it.
struct Blocker {
    const char* name;
    std::function<std::function<void()>(const QString& dir)> block;
};

void PrintTo(const Blocker& b, std::ostream* os) { *os << b.name; }

class UnwritableLog : public CallLogTest, public ::testing::WithParamInterface<Blocker> {};

TEST_P(UnwritableLog, KeepsEndedCallsThroughARestartAndWritesEachOnceWhenItCan)
{
    std::function<void()> release = GetParam().block(tmp.path());
    TCallRecord other = rec;
    log->CallOpened(rec);
    log->CallOpened(other);
    QElapsedTimer waited;
    waited.start();
    log->LogServedCall(rec, QStringLiteral("Ben"), QTime(0, 0, 10));
    log->LogUnservedCall(other);
    log->Flush();
    // A busy log is tried again later, never waited for.
    EXPECT_LT(waited.elapsed(), 1000);
    EXPECT_EQ(log->Waiting(), 2);
    ASSERT_FALSE(Status.isEmpty());
    EXPECT_TRUE(Status.last().startsWith("red: ")) << Status.last().toStdString();
    EXPECT_TRUE(Status.last().contains(QStringLiteral("2 条"))) << Status.last().toStdString();
    EXPECT_EQ(JournalEntries(), 2);

    StartStation();   // the station went down meanwhile
    EXPECT_TRUE(Recovered.empty());
    EXPECT_EQ(log->Waiting(), 2);

    release();
    log->Flush();
    EXPECT_EQ(log->Waiting(), 0);
    EXPECT_EQ(Status.last(), LoadResStr(3403));
    StartStation();
    const QList<QVariantMap> rows = Rows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0]["ServerState"].toInt(), 0);
    EXPECT_EQ(rows[0]["ProcPersonnel"].toString(), QStringLiteral("Ben"));
    EXPECT_EQ(rows[1]["ServerState"].toInt(), 1);
    EXPECT_TRUE(rows[1]["ProcTime"].isNull());
    EXPECT_EQ(JournalEntries(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    CallLog, UnwritableLog,
    ::testing::Values(
        // Another program holds the file in a transaction.
        Blocker{"LockedByAnotherProgram", [](const QString& dir) {
            auto lock = std::make_shared<CallLogTest::ForeignLock>(dir);
            return std::function<void()>([lock]() mutable { lock.reset(); });
        }},
        // The file cannot be changed (a full disk, a read-only directory): no rollback journal can be made.
        Blocker{"NoJournalCanBeMade", [](const QString& dir) {
            EXPECT_TRUE(QDir(dir).mkdir(QStringLiteral("CallInfo.db-journal")));
            return std::function<void()>([dir] { QDir(dir).rmdir(QStringLiteral("CallInfo.db-journal")); });
        }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CallLogTest, CrashesNeitherLoseNorDoubleACall)
{
    const auto openAt = [&](const QDate& day, const QTime& at, uint16_t addr) {
        clock.SetDate(day);
        clock.SetTime(at);
        TCallRecord r = rec;
        r.CallDate = day;
        r.Addr = addr;
        log->CallOpened(r);
        return r;
    };
    const QDate today(2026, 12, 8);
    openAt(today.addDays(-1), QTime(23, 0, 0), 1);              // live when yesterday's service ended
    const TCallRecord live = openAt(today, QTime(11, 0, 0), 2);  // live at the crash
    log->LogServedCall(openAt(today, QTime(11, 30, 0), 3), QStringLiteral("Ben"), QTime(0, 0, 10));
    log->Flush();
    {
        auto lock = std::make_unique<ForeignLock>(tmp.path());
        log->LogServedCall(openAt(today, QTime(11, 40, 0), 4), QStringLiteral("Cui"), QTime(0, 0, 20));
        log->Flush();
    }
    ASSERT_EQ(Rows().size(), 1);

    clock.SetTime(QTime(12, 0, 0));
    for (int crash = 1; crash <= 3; ++crash) {
        StartStation();
        ASSERT_EQ(Recovered.size(), 1u) << "after crash " << crash;
        EXPECT_EQ(Recovered[0].Entry.JournalId, live.JournalId);
        EXPECT_EQ(Recovered[0].Entry.Addr, 2);
        EXPECT_EQ(Recovered[0].Entry.Key, live.Key);
        EXPECT_EQ(Recovered[0].Entry.Row.CallTime, live.CallTime);
        EXPECT_EQ(Recovered[0].Entry.Row.ServerPersonnel, QStringLiteral("Anna"));
        EXPECT_EQ(Recovered[0].AgeSeconds, 3600u);
        EXPECT_EQ(Rows().size(), 3) << "after crash " << crash;
    }
    const QList<QVariantMap> rows = Rows();
    // Yesterday's call: not served, timed until the station came back.
    EXPECT_EQ(rows[1]["CallDate"].toString(), QStringLiteral("2026-12-07"));
    EXPECT_EQ(rows[1]["ServerState"].toInt(), 1);
    EXPECT_EQ(rows[1]["ServerTime"].toInt(), 13 * 3600);
    EXPECT_EQ(rows[2]["ProcPersonnel"].toString(), QStringLiteral("Cui"));

    // The call that came back ends once, under its journal entry.
    TCallRecord back = live;
    back.JournalId = Recovered[0].Entry.JournalId;
    log->LogServedCall(back, QStringLiteral("Ben"), QTime(12, 0, 5));
    StartStation();
    EXPECT_TRUE(Recovered.empty());
    EXPECT_EQ(Rows().size(), 4);
    EXPECT_EQ(JournalEntries(), 0);
}

TEST_F(CallLogTest, ADamagedJournalIsKeptAsideAndANewOneServes)
{
    log.reset();
    journal.reset();
    const QString path = tmp.filePath(TCallJournal::FileName);
    QFile broken(path);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write(QByteArray(4096, 'x'));
    broken.close();

    TCallJournal fresh;
    TCallLog freshLog(fresh, clock, cfg, duty);
    QString error;
    EXPECT_FALSE(freshLog.Open(tmp.path(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("kept"))) << error.toStdString();
    const QStringList aside = QDir(tmp.path()).entryList({TCallJournal::FileName + QStringLiteral(".broken-*")});
    ASSERT_EQ(aside.size(), 1);
    QFile kept(tmp.filePath(aside[0]));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray(4096, 'x'));

    freshLog.CallOpened(rec);
    EXPECT_NE(rec.JournalId, 0);
    freshLog.LogServedCall(rec, QStringLiteral("Ben"), QTime(0, 0, 10));
    freshLog.Flush();
    EXPECT_EQ(Rows().size(), 1);
}

TEST_F(CallLogTest, AJournalThatCannotBeWrittenIsShownAndTheLogStillWritten)
{
    // No rollback journal can be made for it, as on a full disk or in a read-only directory.
    const QString rollback = TCallJournal::FileName + QStringLiteral("-journal");
    QFile::remove(tmp.filePath(rollback));
    ASSERT_TRUE(QDir(tmp.path()).mkdir(rollback));
    log->CallOpened(rec);
    EXPECT_EQ(rec.JournalId, 0);
    ASSERT_FALSE(Status.isEmpty());
    EXPECT_TRUE(Status.last().startsWith(QStringLiteral("red: ") + LoadResStr(3402).section(QLatin1Char('%'), 0, 0)))
        << Status.last().toStdString();
    log->LogServedCall(rec, QStringLiteral("Ben"), QTime(0, 0, 10));
    EXPECT_EQ(Logged().size(), 1);
    EXPECT_EQ(log->Waiting(), 0);

    ASSERT_TRUE(QDir(tmp.path()).rmdir(rollback));
    log->CallOpened(rec);
    EXPECT_NE(rec.JournalId, 0);
    EXPECT_EQ(Status.last(), LoadResStr(3403));
}
}  // namespace
