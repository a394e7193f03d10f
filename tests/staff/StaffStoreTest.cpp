// Loading the staff and roster tables into the grids and writing them back as
// one change.
#include "StaffTestData.h"
#include "core/DataStore.h"
#include "core/ResStrings.h"
#include "staff/StaffStore.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/StoreTest.h"

namespace {

class StaffStoreTest : public StoreTest {
protected:
    // Each row's columns joined by '|', in stored order.
    QStringList Rows(const QString& table)
    {
        QStringList rows;
        QSqlQuery q(store.Database());
        EXPECT_TRUE(q.exec(QStringLiteral("select * from %1 order by rowid").arg(table)));
        while (q.next()) {
            QStringList cells;
            for (int c = 0; c < q.record().count(); ++c)
                cells << q.value(c).toString();
            rows << cells.join('|');
        }
        return rows;
    }

    TStaffData Load(const TLayOutTree& tree)
    {
        TStaffData data;
        QString error;
        EXPECT_TRUE(LoadStaffData(store, tree, data, &error)) << error.toStdString();
        return data;
    }

    void Save(const TLayOutTree& tree, const TStaffData& data)
    {
        QString error;
        ASSERT_TRUE(SaveStaffData(store, tree, data, &error)) << error.toStdString();
    }

    const TLayOutTree tree = MakeTree({{"Hall", {{0x0101, "T1"}, {0x0102, "T2"}}}, {"Patio", {{0x0201, "P1"}}}});
};

TEST_F(StaffStoreTest, LoadShowsTheStaffListAsTheGridHasIt)
{
    Exec("insert into Waiter values(?, ?, ?, ?, ?, ?)", {"  007 ", "Ann", "555", 1, 26, "day"});
    Exec("insert into Waiter values(?, ?, ?, ?, ?, ?)", {"8", "Bob", "", 0, 0, ""});
    const TStaffData data = Load(tree);
    ASSERT_EQ(data.Staff.DataRowCount(), 2);
    EXPECT_EQ(data.Staff.Row(0), QStringList({"007", "Ann", LoadResStr(1114), "555", "1A", "day"}));
    EXPECT_EQ(data.Staff.Row(1), QStringList({"8", "Bob", LoadResStr(1115), "", "0", ""}));
}

TEST_F(StaffStoreTest, LoadFindsAreaAndPositionOfEachDutyRow)
{
    Exec("insert into DutyTable values(?, ?, ?, ?, ?)", {"1", "Ann", "22:00:00", "06:00:00", 0x0201});
    Exec("insert into DutyTable values(?, ?, ?, ?, ?)", {"2", "Bob", "08:00:00", "16:00:00", 0x0999});
    Exec("insert into DutyTable values(?, ?, ?, ?, ?)", {"3", "Cid", QVariant(), QVariant(), 0x10101});
    const TStaffData data = Load(tree);
    ASSERT_EQ(data.Duty.DataRowCount(), 3);
    EXPECT_EQ(data.Duty.Row(0), QStringList({"1", "Ann", "22:00:00", "06:00:00", "Patio", "P1"}));
    // No call point at the address: area and position stay empty.
    EXPECT_EQ(data.Duty.Row(1), QStringList({"2", "Bob", "08:00:00", "16:00:00", "", ""}));
    // An address beyond 16 bits names no point, not the point of its low bits.
    EXPECT_EQ(data.Duty.Row(2), QStringList({"3", "Cid", "00:00:00", "00:00:00", "", ""}));
    EXPECT_EQ(data.SortMarker, 0);
}

TEST_F(StaffStoreTest, EmptyTablesGiveGridsWithoutRows)
{
    const TStaffData data = Load(tree);
    EXPECT_FALSE(data.Staff.HoldsRows());
    EXPECT_FALSE(data.Duty.HoldsRows());
    EXPECT_EQ(data.Staff.RowCount(), 1);
}

TEST_F(StaffStoreTest, SaveRewritesBothTablesAndReadsBackTheSame)
{
    Exec("insert into Waiter values('old', 'Old', '', 1, 0, '')");
    Exec("insert into DutyTable values('old', 'Old', '00:00:00', '00:00:00', 257)");

    TStaffData data;
    data.Staff.Append({"1", "Ann \"the boss\"", LoadResStr(1115), "5'5", "1a", "say \"hi\", it's fine"});
    data.Staff.Append({"2", "Bob", LoadResStr(1114), "", "nothex", ""});
    data.Duty.Append({"1", "Ann \"the boss\"", "22:00:00", "06:00:00", "Hall", "T2"});
    Save(tree, data);

    EXPECT_EQ(Rows("Waiter"), QStringList({"1|Ann \"the boss\"|5'5|0|26|say \"hi\", it's fine", "2|Bob||1|0|"}));
    EXPECT_EQ(Rows("DutyTable"), QStringList({"1|Ann \"the boss\"|22:00:00|06:00:00|258"}));

    const TStaffData back = Load(tree);
    EXPECT_EQ(back.Staff.Row(0), QStringList({"1", "Ann \"the boss\"", LoadResStr(1115), "5'5", "1A",
                                              "say \"hi\", it's fine"}));
    EXPECT_EQ(back.Staff.Row(1)[StaffCancelAddr], "0");
    EXPECT_EQ(back.Duty.Row(0), data.Duty.Row(0));
}

TEST_F(StaffStoreTest, SavingGridsWithoutRowsEmptiesTheTables)
{
    Exec("insert into Waiter values('1', 'Ann', '', 1, 0, '')");
    Exec("insert into DutyTable values('1', 'Ann', '00:00:00', '00:00:00', 257)");
    TStaffData data = Load(tree);
    data.Staff.Delete(0);
    data.Duty.Delete(0);
    Save(tree, data);
    EXPECT_TRUE(Rows("Waiter").isEmpty());
    EXPECT_TRUE(Rows("DutyTable").isEmpty());
}

TEST_F(StaffStoreTest, DutyRowsWhosePointIsGoneAreDroppedOnSave)
{
    Exec("insert into DutyTable values('1', 'Ann', '08:00:00', '12:00:00', 257)");   // Hall T1
    Exec("insert into DutyTable values('2', 'Bob', '08:00:00', '12:00:00', 258)");   // Hall T2
    Exec("insert into DutyTable values('3', 'Cid', '08:00:00', '12:00:00', 513)");   // Patio P1
    const TStaffData data = Load(tree);

    // Since the window opened: T2 was deleted, P1 got another address, Hall was renamed.
    const TLayOutTree now = MakeTree({{"Main hall", {{0x0101, "T1"}}}, {"Patio", {{0x0202, "P1"}}}});
    Save(now, data);
    EXPECT_EQ(Rows("DutyTable"), QStringList({"3|Cid|08:00:00|12:00:00|514"}));

    // A point that only got another name keeps its rows, shown with the new names.
    Exec("insert into DutyTable values('1', 'Ann', '08:00:00', '12:00:00', 257)");
    const TStaffData renamed = Load(now);
    EXPECT_EQ(renamed.Duty.Row(1)[DutyArea], "Main hall");
    EXPECT_EQ(renamed.Duty.Row(1)[DutyPosition], "T1");
}

TEST_F(StaffStoreTest, TwoPointsOfOneNameSaveTheEarlierAddress)
{
    const TLayOutTree twins = MakeTree({{"Hall", {{5, "T"}, {6, "T"}}}});
    Exec("insert into DutyTable values('1', 'Ann', '08:00:00', '12:00:00', 6)");
    const TStaffData data = Load(twins);
    Save(twins, data);
    EXPECT_EQ(Rows("DutyTable"), QStringList({"1|Ann|08:00:00|12:00:00|5"}));
}

TEST_F(StaffStoreTest, DutyRowsAreSavedInTheSortedOrder)
{
    TStaffData data;
    data.Duty.Append({"2", "Bob", "12:00:00", "13:00:00", "Hall", "T1"});
    data.Duty.Append({"1", "Ann", "08:00:00", "09:00:00", "Hall", "T2"});
    data.Duty.Append({"3", "Cid", "10:00:00", "11:00:00", "Patio", "P1"});
    TableSort(data.Duty, data.SortMarker, DutySTime);
    Save(tree, data);
    EXPECT_EQ(Rows("DutyTable"), QStringList({"1|Ann|08:00:00|09:00:00|258", "3|Cid|10:00:00|11:00:00|513",
                                              "2|Bob|12:00:00|13:00:00|257"}));
}

TEST_F(StaffStoreTest, AFailingStatementMidSaveLeavesTheOldRows)
{
    Exec("insert into Waiter values('old', 'Old', '1', 1, 3, '')");
    Exec("insert into DutyTable values('old', 'Old', '01:00:00', '02:00:00', 257)");
    const QStringList staffBefore = Rows("Waiter");
    const QStringList dutyBefore = Rows("DutyTable");

    QSqlQuery trigger(store.Database());
    ASSERT_TRUE(trigger.exec("create trigger DutyTable.RefuseBob before insert on DutyTable "
                             "when new.Name = 'Bob' begin select raise(abort, 'refused by test'); end"));

    TStaffData data;
    data.Staff.Append({"1", "Ann", LoadResStr(1114), "", "1", ""});
    data.Staff.Append({"2", "Bob", LoadResStr(1114), "", "2", ""});
    data.Duty.Append({"1", "Ann", "08:00:00", "09:00:00", "Hall", "T1"});
    data.Duty.Append({"2", "Bob", "08:00:00", "09:00:00", "Hall", "T2"});
    data.Duty.Append({"1", "Ann", "10:00:00", "11:00:00", "Hall", "T2"});
    QString error;
    EXPECT_FALSE(SaveStaffData(store, tree, data, &error));
    EXPECT_TRUE(error.contains("refused by test")) << error.toStdString();

    EXPECT_EQ(Rows("Waiter"), staffBefore);
    EXPECT_EQ(Rows("DutyTable"), dutyBefore);

    // Once the cause is gone the same edits save.
    ASSERT_TRUE(trigger.exec("drop trigger DutyTable.RefuseBob"));
    EXPECT_TRUE(SaveStaffData(store, tree, data, &error)) << error.toStdString();
    EXPECT_EQ(Rows("Waiter").size(), 2);
    EXPECT_EQ(Rows("DutyTable").size(), 3);
}

}  // namespace
