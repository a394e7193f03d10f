#include "core/SqliteConnection.h"

#include "core/Failure.h"

#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <utility>
#include <sqlite3.h>

TSqliteFailure ClassifySqliteError(const QSqlError& error)
{
    if (!error.isValid())
        return TSqliteFailure::None;
    bool isNumber = false;
    const int code = error.nativeErrorCode().toInt(&isNumber);
    if (!isNumber)
        return TSqliteFailure::Other;
    // The primary code sits in the low byte of an extended one (SQLITE_BUSY_SNAPSHOT is a busy).
    switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return TSqliteFailure::Busy;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return TSqliteFailure::Unusable;
    default:
        return TSqliteFailure::Other;
    }
}

QString SqliteReason(const QSqlError& error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

TSqliteConnection::TSqliteConnection(const QString& prefix)
{
    static std::atomic<int> counter{0};
    name_ = QStringLiteral("%1-%2").arg(prefix).arg(++counter);
}

TSqliteConnection::~TSqliteConnection() { Close(); }

bool TSqliteConnection::Open(const QString& path, const QString& options, const QStringList& setup, QString* error)
{
    Close();
    failure_ = TSqliteFailure::None;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        db.setConnectOptions(options);
        if (!db.open()) {
            Failed(db.lastError(), error);
            db = QSqlDatabase();
            Close();
            return false;
        }
    }
    for (const QString& statement : setup) {
        if (!Exec(statement, {}, error)) {
            const TSqliteFailure failure = failure_;
            Close();
            failure_ = failure;
            return false;
        }
    }
    return true;
}

void TSqliteConnection::Close()
{
    if (QSqlDatabase::contains(name_)) {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
}

bool TSqliteConnection::IsOpen() const
{
    return QSqlDatabase::contains(name_) && QSqlDatabase::database(name_, false).isOpen();
}

QSqlDatabase TSqliteConnection::Database() const { return QSqlDatabase::database(name_, false); }

bool TSqliteConnection::Exec(const QString& statement, const QVariantList& values, QString* error, QSqlQuery* ran)
{
    QSqlQuery q(Database());
    if (!q.prepare(statement))
        return Failed(q.lastError(), error);
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        return Failed(q.lastError(), error);
    failure_ = TSqliteFailure::None;
    if (ran)
        *ran = std::move(q);
    return true;
}

bool TSqliteConnection::Failed(const QSqlError& e, QString* error)
{
    failure_ = ClassifySqliteError(e);
    // A failure without a code of the engine (the driver's own) still counts as one.
    if (failure_ == TSqliteFailure::None)
        failure_ = TSqliteFailure::Other;
    return Fail(error, SqliteReason(e));
}
