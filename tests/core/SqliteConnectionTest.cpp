// A connection of its own tells a file held by another program from a file that is no
// database by SQLite's result code, whatever the message says.
#include "core/SqliteConnection.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// What stands at the path before the statement runs; the returned object holds it so
// (another program's lock) until the statement has run.
using Prepare = std::function<std::shared_ptr<void>(const QString& path)>;

struct TFailureCase {
    const char* Name;
    Prepare Setup;
    const char* Statement;
    TSqliteFailure Expected;
};

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

void MakeTable(const QString& path)
{
    // Rows enough to fill pages beyond the first.
    TSqliteConnection maker(QStringLiteral("Maker"));
    ASSERT_TRUE(maker.Open(path, QString(),
                           {QStringLiteral("create table T (Text TEXT)"),
                            QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 200) "
                                           "insert into T select hex(randomblob(50)) from n")}));
}

std::shared_ptr<void> Table(const QString& path)
{
    MakeTable(path);
    return nullptr;
}

// Another program's connection in an exclusive transaction, kept until the case ends.
std::shared_ptr<void> HeldByAnotherProgram(const QString& path)
{
    MakeTable(path);
    auto other = std::make_shared<TSqliteConnection>(QStringLiteral("OtherProgram"));
    EXPECT_TRUE(other->Open(path, QString(), {QStringLiteral("begin exclusive")}));
    return other;
}

std::shared_ptr<void> Garbage(const QString& path)
{
    WriteFile(path, QByteArray(4096, 'x'));
    return nullptr;
}

// A real database whose table pages were overwritten: the header still says SQLite.
std::shared_ptr<void> DamagedPages(const QString& path)
{
    MakeTable(path);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(4096);
    f.write(QByteArray(f.size() - 4096, '\xff'));
    return nullptr;
}

void PrintTo(const TFailureCase& c, std::ostream* os) { *os << c.Name; }

class SqliteFailures : public ::testing::TestWithParam<TFailureCase> {};

TEST_P(SqliteFailures, AreToldApartByTheirCode)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("Probe.db"));
    const std::shared_ptr<void> held = GetParam().Setup(path);
    TSqliteConnection connection(QStringLiteral("Probe"));
    QString error;
    const bool ran = connection.Open(path, QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"), {GetParam().Statement}, &error);
    EXPECT_EQ(ran, GetParam().Expected == TSqliteFailure::None) << error.toStdString();
    EXPECT_EQ(connection.LastFailure(), GetParam().Expected) << error.toStdString();
    EXPECT_EQ(connection.IsOpen(), ran);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SqliteFailures,
    ::testing::Values(
        TFailureCase{"ReadsAFreeFile", Table, "select count(*) from T", TSqliteFailure::None},
        TFailureCase{"FileHeldByAnotherProgramIsBusy", HeldByAnotherProgram, "select count(*) from T",
                     TSqliteFailure::Busy},
        TFailureCase{"FileOfOtherBytesIsUnusable", Garbage, "pragma journal_mode=PERSIST", TSqliteFailure::Unusable},
        TFailureCase{"DamagedPagesAreUnusable", DamagedPages, "select count(*) from T", TSqliteFailure::Unusable},
        // The engine names the missing table in its message: the words do not make it a lock.
        TFailureCase{"MissingTableNamedLikeALockIsOther", Table, "select * from database_is_locked_busy",
                     TSqliteFailure::Other},
        TFailureCase{"MissingTableNamedLikeDamageIsOther", Table, "select * from \"not a database, malformed\"",
                     TSqliteFailure::Other}),
    [](const ::testing::TestParamInfo<TFailureCase>& info) { return std::string(info.param.Name); });

}  // namespace
