// Who is on duty: the span rule, the waiter for a call point, the owner of a
// cancel unit, and queries reopened after the roster changed.
#include "calls/DutyLookup.h"
#include "core/Clock.h"
#include "core/DataStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QTime T(const char* hms)
{
    return QTime::fromString(QString::fromLatin1(hms), QStringLiteral("HH:mm:ss"));
}

TEST(DutyCovers, SpanAcrossMidnightCoversBothEnds)
{
    EXPECT_TRUE(DutyCovers(T("22:00:00"), T("06:00:00"), T("23:30:00")));
    EXPECT_TRUE(DutyCovers(T("22:00:00"), T("06:00:00"), T("05:00:00")));
    EXPECT_TRUE(DutyCovers(T("22:00:00"), T("06:00:00"), T("00:00:00")));
    EXPECT_FALSE(DutyCovers(T("22:00:00"), T("06:00:00"), T("12:00:00")));
    EXPECT_FALSE(DutyCovers(T("22:00:00"), T("06:00:00"), T("06:00:01")));
}

TEST(DutyCovers, EqualEndsCoverTheWholeDay)
{
    for (const char* t : {"00:00:00", "07:59:59", "08:00:00", "08:00:01", "23:59:59"})
        EXPECT_TRUE(DutyCovers(T("08:00:00"), T("08:00:00"), T(t))) << t;
}

TEST(DutyCovers, DaySpanIncludesBothEndsOnly)
{
    EXPECT_TRUE(DutyCovers(T("09:00:00"), T("17:00:00"), T("09:00:00")));
    EXPECT_TRUE(DutyCovers(T("09:00:00"), T("17:00:00"), T("17:00:00")));
    EXPECT_FALSE(DutyCovers(T("09:00:00"), T("17:00:00"), T("17:00:01")));
    EXPECT_FALSE(DutyCovers(T("09:00:00"), T("17:00:00"), T("08:59:59")));
}

class DutyLookupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        QString error;
        ASSERT_TRUE(store.Open(tmp.path(), &error)) << error.toStdString();
    }

    void Exec(const QString& sql, const QVariantList& values)
    {
        TQuery q(store);
        q.SetSQL(sql);
        for (const QVariant& v : values)
            q.Bind(v);
        ASSERT_TRUE(q.ExecSQL()) << q.LastError().toStdString();
    }

    void AddDuty(const QString& name, const char* start, const char* end, int addr)
    {
        Exec(QStringLiteral("insert into DutyTable values('', ?, ?, ?, ?)"), {name, T(start), T(end), addr});
    }

    void AddWaiter(const QString& name, int cancelAddr)
    {
        Exec(QStringLiteral("insert into Waiter values('', ?, '', 1, ?, '')"), {name, cancelAddr});
    }

    void Reopen()
    {
        QString error;
        ASSERT_TRUE(lookup.ReopenQueries(&error)) << error.toStdString();
    }

    QString WaiterAt(int addr, const char* now)
    {
        clock.SetTime(T(now));
        return lookup.FindOnDutyWaiter(static_cast<uint16_t>(addr));
    }

    QString CancellerAt(int unit, const char* now)
    {
        clock.SetTime(T(now));
        return lookup.FindCanceller(static_cast<uint8_t>(unit));
    }

    QTemporaryDir tmp;
    TDM_Sys store;
    ManualClock clock;
    TDutyLookup lookup{store, clock};
};

TEST_F(DutyLookupTest, OnDutyWaiterIsTheFirstCoveringRowOfTheAddress)
{
    AddDuty(QStringLiteral("Other table"), "00:00:00", "00:00:00", 0x0011);
    AddDuty(QStringLiteral("Night"), "22:00:00", "06:00:00", 0x1234);
    AddDuty(QStringLiteral("Day"), "09:00:00", "17:00:00", 0x1234);
    AddDuty(QStringLiteral("Late"), "12:00:00", "23:00:00", 0x1234);
    AddDuty(QStringLiteral("Beyond"), "00:00:00", "00:00:00", 0x1235);
    Reopen();

    EXPECT_EQ(WaiterAt(0x1234, "23:30:00"), QStringLiteral("Night"));
    EXPECT_EQ(WaiterAt(0x1234, "05:00:00"), QStringLiteral("Night"));
    EXPECT_EQ(WaiterAt(0x1234, "10:00:00"), QStringLiteral("Day"));
    EXPECT_EQ(WaiterAt(0x1234, "17:00:01"), QStringLiteral("Late"));
    EXPECT_EQ(WaiterAt(0x1234, "07:00:00"), QString());   // rows of the next address are not its own
    EXPECT_EQ(WaiterAt(0x9999, "10:00:00"), QString());
}

TEST_F(DutyLookupTest, TiesInAddressKeepTheOrderTheRowsWereWritten)
{
    AddDuty(QStringLiteral("Zed"), "08:00:00", "20:00:00", 0x20);
    AddDuty(QStringLiteral("Low"), "08:00:00", "20:00:00", 0x10);
    AddDuty(QStringLiteral("Bob"), "08:00:00", "20:00:00", 0x20);
    AddDuty(QStringLiteral("Amy"), "08:00:00", "20:00:00", 0x20);
    Reopen();

    EXPECT_EQ(WaiterAt(0x20, "12:00:00"), QStringLiteral("Zed"));
    EXPECT_EQ(WaiterAt(0x10, "12:00:00"), QStringLiteral("Low"));
}

TEST_F(DutyLookupTest, EndOfSpanIsCoveredForItsWholeSecond)
{
    AddDuty(QStringLiteral("Day"), "09:00:00", "17:00:00", 1);
    Reopen();
    clock.SetTime(QTime(17, 0, 0, 600));
    EXPECT_EQ(lookup.FindOnDutyWaiter(1), QStringLiteral("Day"));
    clock.SetTime(QTime(17, 0, 1));
    EXPECT_EQ(lookup.FindOnDutyWaiter(1), QString());
}

TEST_F(DutyLookupTest, CancellerIsTheFirstOwnerOfTheUnitOnDutyAnywhere)
{
    AddWaiter(QStringLiteral("Anna"), 5);
    AddWaiter(QStringLiteral("Ben"), 5);
    AddWaiter(QStringLiteral("Carl"), 6);
    AddDuty(QStringLiteral("Anna"), "08:00:00", "12:00:00", 0x300);
    AddDuty(QStringLiteral("Ben"), "06:00:00", "22:00:00", 0x100);
    AddDuty(QStringLiteral("Carl"), "00:00:00", "00:00:00", 0x200);
    Reopen();

    EXPECT_EQ(CancellerAt(5, "10:00:00"), QStringLiteral("Anna"));
    EXPECT_EQ(CancellerAt(5, "13:00:00"), QStringLiteral("Ben"));   // Anna off duty: passed over
    EXPECT_EQ(CancellerAt(5, "23:00:00"), QString());               // both off duty
    EXPECT_EQ(CancellerAt(6, "03:00:00"), QStringLiteral("Carl"));
    EXPECT_EQ(CancellerAt(7, "10:00:00"), QString());               // a unit nobody carries
}

TEST_F(DutyLookupTest, CancellerNameMatchesRosterRowsCaseSensitively)
{
    AddWaiter(QStringLiteral("anna"), 5);
    AddWaiter(QStringLiteral("Anna"), 5);
    AddDuty(QStringLiteral("ANNA"), "00:00:00", "00:00:00", 1);
    AddDuty(QStringLiteral("Anna"), "08:00:00", "12:00:00", 2);
    Reopen();

    EXPECT_EQ(CancellerAt(5, "10:00:00"), QStringLiteral("Anna"));
    EXPECT_EQ(CancellerAt(5, "13:00:00"), QString());
}

TEST_F(DutyLookupTest, CancellerLooksAtEveryRosterRowOfTheMember)
{
    AddWaiter(QStringLiteral("Anna"), 9);
    AddDuty(QStringLiteral("Anna"), "08:00:00", "09:00:00", 0x10);
    AddDuty(QStringLiteral("Bob"), "00:00:00", "00:00:00", 0x20);
    AddDuty(QStringLiteral("Anna"), "20:00:00", "02:00:00", 0x30);
    Reopen();

    EXPECT_EQ(CancellerAt(9, "01:00:00"), QStringLiteral("Anna"));
    EXPECT_EQ(CancellerAt(9, "12:00:00"), QString());
}

TEST_F(DutyLookupTest, ReopeningPicksUpRowsWrittenAfterTheFirstOpen)
{
    Reopen();
    AddWaiter(QStringLiteral("Anna"), 3);
    AddDuty(QStringLiteral("Anna"), "00:00:00", "00:00:00", 0x42);
    EXPECT_EQ(WaiterAt(0x42, "12:00:00"), QString());
    EXPECT_EQ(CancellerAt(3, "12:00:00"), QString());

    Reopen();
    EXPECT_EQ(WaiterAt(0x42, "12:00:00"), QStringLiteral("Anna"));
    EXPECT_EQ(CancellerAt(3, "12:00:00"), QStringLiteral("Anna"));
}

}  // namespace
