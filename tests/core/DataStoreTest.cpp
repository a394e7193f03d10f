// The data store: table files and their columns, bound values, the query
// handle's cursor, lookups and editing, transactions over several files, and
// swapping a table file.
#include "core/DataStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        QString error;
        ASSERT_TRUE(store.Open(DataPath(), &error)) << error.toStdString();
    }

    QString DataPath() const { return tmp.path() + QStringLiteral("/Data"); }

    void Exec(const QString& sql, const QVariantList& values = {})
    {
        TQuery q(store);
        q.SetSQL(sql);
        for (const QVariant& v : values)
            q.Bind(v);
        ASSERT_TRUE(q.ExecSQL()) << q.LastError().toStdString();
    }

    void AddWaiter(const QString& number, const QString& name, int cancelAddr = 0)
    {
        Exec(QStringLiteral("insert into Waiter values (?, ?, '', 1, ?, '')"), {number, name, cancelAddr});
    }

    QStringList Column(const QString& sql, const QString& column)
    {
        TQuery q(store);
        q.SetSQL(sql);
        EXPECT_TRUE(q.Open()) << q.LastError().toStdString();
        QStringList values;
        for (q.First(); !q.Eof(); q.Next())
            values << q.FieldAsString(column);
        return values;
    }

    QTemporaryDir tmp;
    TDM_Sys store;
};

using DataStore = StoreFixture;
using TQueryTest = StoreFixture;

TEST_F(DataStore, CreatesEveryTableFileWithItsColumnsInOrder)
{
    const QList<QPair<QString, QStringList>> expected = {
        {"CallInfo", {"CallDate", "CallTime", "CallArea", "CallDesktop", "CallType", "ServerPersonnel",
                      "ProcTime", "ProcPersonnel", "ServerTime", "ServerState", "UserNumber"}},
        {"Waiter", {"Number", "Name", "Phone", "Sex", "CancelAddr", "Remark"}},
        {"DutyTable", {"Number", "Name", "STime", "ETime", "Addr"}},
        {"Operate", {"Name", "Password", "Popedom", "Sex", "Duty"}},
        {"LayOutName", {"SN", "Name", "Memo"}},
        {"LayOutPoint", {"Address", "LayOut", "Name", "Shape", "BkColor", "XPos", "YPos", "TxtPos", "Width",
                         "Height", "Memo"}},
        {"StatYear", {"StatYear", "StatMonth", "Total", "TimeOut"}},
    };
    EXPECT_EQ(TDM_Sys::TableNames().size(), expected.size());
    for (const auto& [table, columns] : expected) {
        EXPECT_TRUE(QFileInfo::exists(DataPath() + "/" + table + ".db")) << table.toStdString();
        EXPECT_EQ(Column(QStringLiteral("pragma %1.table_info(%1)").arg(table), "name"), columns)
            << table.toStdString();
    }
    EXPECT_EQ(Column("pragma CallInfo.index_info(CallInfo_CallDate)", "name"), QStringList{"CallDate"});
}

TEST_F(DataStore, ReopeningKeepsRows)
{
    AddWaiter("7", "Alice");
    store.Close();
    EXPECT_FALSE(store.IsOpen());

    TDM_Sys again;
    ASSERT_TRUE(again.Open(DataPath()));
    TQuery q(again);
    q.SetSQL("select * from Waiter");
    ASSERT_TRUE(q.Open());
    ASSERT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(q.FieldAsString("Name"), "Alice");
}

TEST_F(DataStore, DirectoryThatCannotBeCreatedFailsClearly)
{
    QFile blocker(tmp.path() + "/plainfile");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    TDM_Sys other;
    QString error;
    EXPECT_FALSE(other.Open(blocker.fileName() + "/Data", &error));
    EXPECT_TRUE(error.contains("plainfile")) << error.toStdString();
    EXPECT_FALSE(other.IsOpen());

    TQuery q(other);
    q.SetSQL("select * from Waiter");
    EXPECT_FALSE(q.Open());
    EXPECT_FALSE(q.LastError().isEmpty());
    EXPECT_FALSE(other.InTransaction([] { return true; }));
}

TEST_F(DataStore, ForeignFilesAreRefusedAndLeftUntouched)
{
    store.Close();
    const QByteArray garbage = "not a table file at all, but something of value to someone";
    {
        QFile f(DataPath() + "/Waiter.db");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(garbage);
    }
    QString error;
    EXPECT_FALSE(store.Open(DataPath(), &error));
    EXPECT_TRUE(error.contains("Waiter.db")) << error.toStdString();
    QFile f(DataPath() + "/Waiter.db");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), garbage);
    f.close();

    // A database whose Operate table has other columns is refused too.
    ASSERT_TRUE(QFile::remove(DataPath() + "/Waiter.db"));
    ASSERT_TRUE(QFile::remove(DataPath() + "/Operate.db"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
        db.setDatabaseName(DataPath() + "/Operate.db");
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec("create table Operate (Name TEXT, Pass TEXT)");
        db.close();
    }
    QSqlDatabase::removeDatabase("foreign");
    EXPECT_FALSE(store.Open(DataPath(), &error));
    EXPECT_TRUE(error.contains("Operate.db") && error.contains("Pass")) << error.toStdString();
}

// A table file is put off only when another program holds it, not when the words "locked"
// or "busy" stand somewhere in its path.
TEST_F(DataStore, AForeignFileInADirectoryNamedBusyIsRefusedNotPutOff)
{
    const QString dir = tmp.path() + "/busy locked";
    ASSERT_TRUE(QDir().mkpath(dir));
    QFile f(dir + "/Waiter.db");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    TDM_Sys other;
    QString error;
    EXPECT_FALSE(other.Open(dir, &error));
    EXPECT_TRUE(error.contains("Waiter.db")) << error.toStdString();
}

TEST_F(DataStore, FailedTransactionOverTwoFilesKeepsBothTables)
{
    AddWaiter("1", "Alice");
    Exec("insert into DutyTable values ('1', 'Alice', '08:00:00', '16:00:00', 5)");

    QString error;
    const bool saved = store.InTransaction([&] {
        TQuery q(store);
        for (const char* sql : {"delete from Waiter", "insert into Waiter (Number, Name) values ('2', 'Bob')",
                                "delete from DutyTable", "insert into DutyTable (NoSuchColumn) values (1)"}) {
            q.SetSQL(sql);
            if (!q.ExecSQL())
                return false;
        }
        return true;
    }, &error);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Column("select * from Waiter", "Name"), QStringList{"Alice"});
    EXPECT_EQ(Column("select * from DutyTable", "Addr"), QStringList{"5"});

    // No transaction was left open: a new one starts and commits.
    EXPECT_TRUE(store.InTransaction([&] {
        TQuery q(store);
        q.SetSQL("delete from DutyTable");
        return q.ExecSQL();
    }, &error)) << error.toStdString();
    TDM_Sys second;
    ASSERT_TRUE(second.Open(DataPath()));
    TQuery q(second);
    q.SetSQL("select * from DutyTable");
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.RecordCount(), 0);
}

// Whoever looks into the data directory finds every file there explained in the README.
TEST_F(DataStore, EveryFileItLeavesInTheDataDirectoryIsNamedInTheReadme)
{
    EXPECT_TRUE(store.InTransaction([&] {
        AddWaiter("1", "Alice");
        Exec("insert into DutyTable values ('1', 'Alice', '08:00:00', '16:00:00', 5)");
        return true;
    }));
    store.Close();
    QFile readme(QStringLiteral(STATION_SOURCE_DIR "/README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    for (const QString& file : QDir(DataPath()).entryList(QDir::Files | QDir::Hidden))
        EXPECT_TRUE(text.contains(QLatin1Char('`') + file + QLatin1Char('`'))) << file.toStdString();
}

TEST_F(DataStore, NestedTransactionFailureUndoesOnlyItsOwnChanges)
{
    EXPECT_TRUE(store.InTransaction([&] {
        AddWaiter("1", "Outer");
        const bool inner = store.InTransaction([&] {
            AddWaiter("2", "Inner");
            return false;
        });
        EXPECT_FALSE(inner);
        return true;
    }));
    EXPECT_EQ(Column("select * from Waiter", "Name"), QStringList{"Outer"});
}

TEST_F(DataStore, AFileLockedByAnotherProgramDoesNotStopTheOpeningAndIsAttachedOnceFree)
{
    AddWaiter("1", "Ann");
    store.Close();
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other program");
        other.setDatabaseName(DataPath() + "/Waiter.db");
        ASSERT_TRUE(other.open());
        ASSERT_TRUE(QSqlQuery(other).exec("begin exclusive"));
        QString error;
        ASSERT_TRUE(store.Open(DataPath(), &error)) << error.toStdString();
        TQuery q(store);
        q.SetSQL("select * from Waiter");
        EXPECT_FALSE(q.Open());
        QSqlQuery(other).exec("rollback");
        other.close();
    }
    QSqlDatabase::removeDatabase("other program");
    EXPECT_EQ(Column("select * from Waiter", "Name"), QStringList{"Ann"});
}

TEST_F(DataStore, DetachedTableFileCanBeSwapped)
{
    AddWaiter("1", "Current");
    const QString otherDir = tmp.path() + "/Other";
    {
        TDM_Sys other;
        ASSERT_TRUE(other.Open(otherDir));
        TQuery q(other);
        q.SetSQL("insert into Waiter (Number, Name) values (?, ?)");
        q.Bind("9");
        q.Bind("Restored");
        ASSERT_TRUE(q.ExecSQL());
    }

    QString error;
    ASSERT_TRUE(store.DetachTable("Waiter", &error)) << error.toStdString();
    TQuery q(store);
    q.SetSQL("select * from Waiter");
    EXPECT_FALSE(q.Open());
    ASSERT_TRUE(QFile::remove(DataPath() + "/Waiter.db"));
    ASSERT_TRUE(QFile::copy(otherDir + "/Waiter.db", DataPath() + "/Waiter.db"));
    ASSERT_TRUE(store.AttachTable("Waiter", &error)) << error.toStdString();
    EXPECT_EQ(Column("select * from Waiter", "Name"), QStringList{"Restored"});

    EXPECT_FALSE(store.DetachTable("Nonsense", &error));
    EXPECT_TRUE(error.contains("Nonsense"));
}

TEST_F(TQueryTest, QuotesInBoundTextsRoundTrip)
{
    const QString name = QStringLiteral("O'Brien \"Bob\" 王");
    AddWaiter("1", name);
    AddWaiter("2", "Plain");
    TQuery q(store);
    q.SetSQL("select * from Waiter where Name = :name");
    q.BindValue(":name", name);
    ASSERT_TRUE(q.Open()) << q.LastError().toStdString();
    ASSERT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(q.FieldAsString("Name"), name);
}

TEST_F(TQueryTest, DatesTimesAndBooleansAreStoredAsText)
{
    Exec("insert into CallInfo (CallDate, CallTime, CallArea, ServerTime, ServerState) values (?, ?, ?, ?, ?)",
         {QDate(2024, 3, 5), QTime(9, 5, 7, 450), "Hall", 12, true});
    TQuery q(store);
    q.SetSQL("select * from CallInfo where CallDate >= ? and CallDate <= ?");
    q.Bind(QDate(2024, 3, 1));
    q.Bind(QDate(2024, 3, 31));
    ASSERT_TRUE(q.Open());
    ASSERT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(q.FieldAsString("CallDate"), "2024-03-05");
    EXPECT_EQ(q.FieldAsString("calltime"), "09:05:07");
    EXPECT_EQ(q.FieldAsDate("CallDate"), QDate(2024, 3, 5));
    EXPECT_EQ(q.FieldAsTime("CallTime"), QTime(9, 5, 7));
    EXPECT_EQ(q.FieldAsInteger("ServerState"), 1);
    EXPECT_TRUE(q.FieldAsBoolean("ServerState"));

    // Columns a served call has and this one lacks read as null.
    EXPECT_TRUE(q.FieldIsNull("ProcTime"));
    EXPECT_EQ(q.FieldAsString("ProcPersonnel"), "");
    EXPECT_EQ(q.FieldAsInteger("UserNumber"), 0);
    EXPECT_FALSE(q.FieldAsBoolean("ProcPersonnel"));
    EXPECT_FALSE(q.FieldAsTime("ProcTime").isValid());
    EXPECT_FALSE(q.FieldAsDate("ProcTime").isValid());
    EXPECT_TRUE(q.FieldIsNull("NoSuchColumn"));
}

TEST_F(TQueryTest, WalksRowsAndCountsThem)
{
    TQuery q(store);
    q.SetSQL("select * from Waiter");
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.RecordCount(), 0);
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.FieldAsString("Name"), "");

    AddWaiter("1", "A");
    AddWaiter("2", "B");
    AddWaiter("3", "C");
    q.SetSQL("select * from Waiter");
    q.AddSQL("order by Number desc");
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.FieldNames(), (QStringList{"Number", "Name", "Phone", "Sex", "CancelAddr", "Remark"}));
    EXPECT_EQ(q.RecordCount(), 3);
    QStringList seen;
    for (q.First(); !q.Eof(); q.Next())
        seen << q.FieldAsString("Name");
    EXPECT_EQ(seen, (QStringList{"C", "B", "A"}));
    q.Next();
    EXPECT_TRUE(q.Eof());
    q.MoveTo(1);
    EXPECT_EQ(q.RecNo(), 1);
    EXPECT_EQ(q.FieldAsString("Name"), "B");

    q.Close();
    EXPECT_FALSE(q.Active());
    EXPECT_EQ(q.RecordCount(), 0);
}

TEST_F(TQueryTest, LocateIgnoresCaseAndComparesNumbersAsNumbers)
{
    AddWaiter("1", "Bob", 0x20);
    AddWaiter("2", "Alice", 0x10);
    AddWaiter("3", "alice", 0x30);
    TQuery q(store);
    q.SetSQL("select * from Waiter");
    ASSERT_TRUE(q.Open());
    EXPECT_TRUE(q.Locate("name", "ALICE"));
    EXPECT_EQ(q.FieldAsString("Number"), "2");
    EXPECT_TRUE(q.Locate("CancelAddr", 0x30));
    EXPECT_EQ(q.RecNo(), 2);
    EXPECT_FALSE(q.Locate("CancelAddr", 0x31));
    EXPECT_FALSE(q.Locate("Name", "Alic"));
    EXPECT_EQ(q.RecNo(), 2);
    // A number matches a text cell holding it; the staff number is text.
    EXPECT_TRUE(q.Locate("Number", 1));
    EXPECT_EQ(q.FieldAsString("Name"), "Bob");
}

TEST_F(TQueryTest, EditsInsertsAndDeletesTheRowsItShows)
{
    // Two rows alike in every column: only the rowid tells them apart.
    for (int i = 0; i < 2; ++i)
        Exec("insert into Operate values ('Twin', '', 0, 1, 'Waiter')");
    Exec("insert into Operate values ('Boss', 'pw', 1023, 1, 'Owner')");

    TQuery q(store);
    q.SetSQL("select * from Operate");
    ASSERT_TRUE(q.Open());
    EXPECT_FALSE(q.FieldNames().contains("__rowid__", Qt::CaseInsensitive));
    q.MoveTo(1);
    q.Edit();
    q.SetField("Popedom", 5);
    q.SetField("Duty", "Head \"waiter\"");
    ASSERT_TRUE(q.Post()) << q.LastError().toStdString();
    EXPECT_EQ(q.FieldAsInteger("Popedom"), 5);
    EXPECT_EQ(Column("select * from Operate", "Popedom"), (QStringList{"0", "5", "1023"}));

    q.First();
    ASSERT_TRUE(q.Delete());
    EXPECT_EQ(q.RecordCount(), 2);
    EXPECT_EQ(q.FieldAsInteger("Popedom"), 5);
    EXPECT_EQ(Column("select * from Operate", "Duty"), (QStringList{"Head \"waiter\"", "Owner"}));

    q.Insert();
    q.SetField("Name", "New");
    q.SetField("Sex", false);
    ASSERT_TRUE(q.Post());
    EXPECT_EQ(q.RecNo(), 2);
    EXPECT_EQ(q.FieldAsString("Name"), "New");
    EXPECT_TRUE(q.FieldIsNull("Password"));
    EXPECT_EQ(Column("select * from Operate where Sex = 0", "Name"), QStringList{"New"});

    q.Edit();
    q.SetField("NoSuchColumn", 1);
    EXPECT_FALSE(q.Post());
    EXPECT_TRUE(q.LastError().contains("NoSuchColumn"));
}

TEST_F(TQueryTest, InsertsIntoAnEmptyTable)
{
    TQuery q(store);
    q.SetSQL("select * from Operate order by Name");
    ASSERT_TRUE(q.Open());
    ASSERT_TRUE(q.Eof());
    q.Insert();
    q.SetField("Name", "First");
    ASSERT_TRUE(q.Post()) << q.LastError().toStdString();
    EXPECT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(q.FieldAsString("Name"), "First");
}

TEST_F(TQueryTest, OnlyWholeRowsOfOneTableAreEditable)
{
    Exec("insert into Operate values ('A', '', 0, 1, '')");
    TQuery q(store);
    q.SetSQL("select Name from Operate");
    ASSERT_TRUE(q.Open());
    q.Edit();
    q.SetField("Name", "B");
    EXPECT_FALSE(q.Post());
    EXPECT_FALSE(q.Delete());
    EXPECT_EQ(Column("select * from Operate", "Name"), QStringList{"A"});

    q.SetSQL("select * from Operate");
    ASSERT_TRUE(q.Open());
    q.Edit();
    q.Next();   // moving away abandons the change
    q.SetField("Name", "B");
    EXPECT_FALSE(q.Post());
    EXPECT_EQ(Column("select * from Operate", "Name"), QStringList{"A"});
}

TEST_F(TQueryTest, PointsOfALayoutComeBackInWrittenOrder)
{
    for (int address : {30, 10, 20})
        Exec("insert into LayOutPoint values (?, 1, ?, 0, 0, 0, 0, 0, 40, 40, '')", {address, "P"});
    Exec("insert into LayOutPoint values (5, 2, 'Other', 0, 0, 0, 0, 0, 40, 40, '')");
    TQuery q(store);
    q.SetSQL("select * from LayOutPoint where LayOut = ?");
    q.Bind(1);
    ASSERT_TRUE(q.Open());
    QStringList order;
    for (q.First(); !q.Eof(); q.Next())
        order << q.FieldAsString("Address");
    EXPECT_EQ(order, (QStringList{"30", "10", "20"}));
}

TEST_F(TQueryTest, FailuresAreReportedNotThrown)
{
    TQuery q(store);
    q.SetSQL("select * from NoSuchTable");
    EXPECT_FALSE(q.Open());
    EXPECT_TRUE(q.LastError().contains("NoSuchTable")) << q.LastError().toStdString();
    EXPECT_FALSE(q.Active());

    q.SetSQL("delete from Waiter");
    EXPECT_FALSE(q.Open());   // yields no rows
    q.SetSQL("insert into Waiter (Number) values (?)");
    EXPECT_FALSE(q.ExecSQL());   // no value bound
    EXPECT_FALSE(q.LastError().isEmpty());
}

}  // namespace
