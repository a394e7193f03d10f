// The call log: the rows of served and not-served calls as stored, the
// service duration, timing across a tick wrap, and a failed insert.
#include "calls/CallLog.h"
#include "calls/CallRecord.h"
#include "core/Clock.h"
#include "core/Config.h"
#include "core/DataStore.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ServiceDuration, IsTheDistanceBetweenTimesOfDayWithoutMidnight)
{
    EXPECT_EQ(ServiceDuration(QTime(12, 0, 0), QTime(12, 1, 5)), 65);
    EXPECT_EQ(ServiceDuration(QTime(12, 1, 5), QTime(12, 0, 0)), 65);
    EXPECT_EQ(ServiceDuration(QTime(23, 59, 50), QTime(0, 0, 10)), 23 * 3600 + 59 * 60 + 40);
    EXPECT_EQ(ServiceDuration(QTime(8, 0, 0), QTime(8, 0, 0)), 0);
}

class CallLogTest : public ::testing::Test {
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

    QTemporaryDir tmp;
    TDM_Sys store;
    ManualClock clock;
    TConfig cfg;
    TCallLog log{store, clock, cfg};
    TCallRecord rec;
};

TEST_F(CallLogTest, ServedRowHoldsTheCallAsRecordedAndItsDuration)
{
    ASSERT_TRUE(log.LogServedCall(rec, QStringLiteral("Ben"), QTime(0, 0, 10))) << log.LastError().toStdString();

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
    ASSERT_TRUE(log.LogServedCall(rec, QString(), QTime(0, 0, 10)));

    const QVariantMap row = Rows().value(0);
    for (const char* column : {"CallArea", "ServerPersonnel", "ProcPersonnel"}) {
        EXPECT_FALSE(row[column].isNull()) << column;
        EXPECT_EQ(row[column].toString(), QString()) << column;
    }
}

TEST_F(CallLogTest, ServiceTypeIsNamedAsTheSettingsReadWhenWritten)
{
    rec.Key = 11;
    ASSERT_TRUE(log.LogUnservedCall(rec));
    cfg.ServerType2 = QStringLiteral("Cheque");
    ASSERT_TRUE(log.LogUnservedCall(rec));
    rec.Key = 14;
    ASSERT_TRUE(log.LogUnservedCall(rec));

    const QList<QVariantMap> rows = Rows();
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
    ASSERT_TRUE(log.LogUnservedCall(rec)) << log.LastError().toStdString();

    const QVariantMap row = Rows().value(0);
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
    ASSERT_TRUE(log.LogUnservedCall(rec));
    EXPECT_EQ(Rows().value(0)["ServerTime"].toInt(), 121);
}

TEST_F(CallLogTest, AFailedInsertReportsItsError)
{
    QSqlQuery q(store.Database());
    ASSERT_TRUE(q.exec(QStringLiteral("drop table CallInfo.CallInfo")));

    EXPECT_FALSE(log.LogServedCall(rec, QStringLiteral("Ben"), QTime(0, 0, 10)));
    EXPECT_FALSE(log.LastError().isEmpty());
    EXPECT_FALSE(log.LogUnservedCall(rec));
    EXPECT_FALSE(log.LastError().isEmpty());
}

}  // namespace
