#include "calls/CallOutbox.h"

#include "core/Failure.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

const QString TCallOutbox::FileName = QStringLiteral("CentralOutbox.db");
const QString TCallOutbox::Columns = QStringLiteral(
    "CallDate, CallTime, CallArea, CallDesktop, ServerPersonnel, UserNumber, CallType, ProcTime, ProcPersonnel, "
    "ServerTime, ServerState");

namespace {
constexpr int ColumnCount = 11;

QString Reason(const QSqlError& e) { return e.databaseText().isEmpty() ? e.text() : e.databaseText(); }
}  // namespace

QString TCallOutbox::CreateStatement(const QString& schema)
{
    // The same column types as CallInfo, so values read back the same from either.
    return QStringLiteral("create table if not exists %1.CallOutbox (Seq INTEGER PRIMARY KEY AUTOINCREMENT, "
                          "CallDate TEXT, CallTime TEXT, CallArea TEXT, CallDesktop TEXT, ServerPersonnel TEXT, "
                          "UserNumber TEXT, CallType TEXT, ProcTime TEXT, ProcPersonnel TEXT, ServerTime INTEGER, "
                          "ServerState INTEGER, Ordinal INTEGER NOT NULL)")
        .arg(schema);
}

TCallOutbox::TCallOutbox(TOutboxGate gate) : gate_(std::move(gate))
{
    static std::atomic<int> counter{0};
    connection_ = QStringLiteral("CallOutbox-%1").arg(++counter);
}

TCallOutbox::~TCallOutbox() { Close(); }

bool TCallOutbox::Open(const QString& dataDir, QString* error)
{
    Close();
    const std::lock_guard lock(*gate_);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(QDir(dataDir).absoluteFilePath(FileName));
    // The log's move never waits for this connection; this one may wait a little for the move.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open())
        return Fail(error, Reason(db.lastError()));
    QSqlQuery q(db);
    for (const QString& s : {QStringLiteral("pragma journal_mode=PERSIST"), QStringLiteral("pragma synchronous=FULL"),
                             CreateStatement(QStringLiteral("main"))})
        if (!q.exec(s))
            return Fail(error, Reason(q.lastError()));
    return true;
}

void TCallOutbox::Close()
{
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

bool TCallOutbox::Read(int limit, std::vector<TOutboxCall>& calls, QString* error)
{
    calls.clear();
    const std::lock_guard lock(*gate_);
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("select Seq, %1, Ordinal from CallOutbox order by Seq limit ?").arg(Columns)))
        return Fail(error, Reason(q.lastError()));
    q.addBindValue(limit);
    if (!q.exec())
        return Fail(error, Reason(q.lastError()));
    while (q.next()) {
        TOutboxCall c;
        c.Seq = q.value(0).toLongLong();
        for (int i = 1; i <= ColumnCount; ++i)
            c.Stored << q.value(i);
        c.Ordinal = q.value(ColumnCount + 1).toInt();
        calls.push_back(std::move(c));
    }
    return true;
}

bool TCallOutbox::Drop(int64_t seq, QString* error)
{
    const std::lock_guard lock(*gate_);
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!q.prepare(QStringLiteral("delete from CallOutbox where Seq <= ?")))
        return Fail(error, Reason(q.lastError()));
    q.addBindValue(QVariant::fromValue(seq));
    return q.exec() || Fail(error, Reason(q.lastError()));
}

int TCallOutbox::Count(QString* error)
{
    const std::lock_guard lock(*gate_);
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!q.exec(QStringLiteral("select count(*) from CallOutbox")) || !q.next()) {
        Fail(error, Reason(q.lastError()));
        return -1;
    }
    return q.value(0).toInt();
}
