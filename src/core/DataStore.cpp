#include "core/DataStore.h"

#include "core/Failure.h"
#include "core/LogCategories.h"
#include "core/TableSchemas.h"

#include <QDir>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>

QRecursiveMutex DataMutex;

namespace {

// How long a statement waits for a file another connection holds: Qt's own default,
// and a short wait while the files are attached at start-up.
constexpr int BusyMs = 5000;
constexpr int AttachBusyMs = 250;

// The connection's main database holds no table. It is a file beside the
// tables so that SQLite can commit a transaction over several table files
// atomically (a super-journal needs a main database on disk).
const QString MainFileName = QStringLiteral("DataStore.db");

}  // namespace

TDM_Sys::TDM_Sys()
    : DQ_Set(*this), DQ_SetExt(*this), DQ_Call(*this), DQ_Duty(*this), DQ_User(*this),
      connection_(QStringLiteral("TDM_Sys"))
{
}

TDM_Sys::~TDM_Sys()
{
    Close();
}

const QStringList& TDM_Sys::TableNames()
{
    static const QStringList names = [] {
        QStringList n;
        for (const TTableSchema& s : TableSchemas())
            n << s.Name;
        return n;
    }();
    return names;
}

bool TDM_Sys::Open(const QString& dataDir, QString* error)
{
    Close();
    const QString dir = QDir::cleanPath(QDir(dataDir).absolutePath());
    if (!QDir().mkpath(dir))
        return Fail(error, QStringLiteral("Cannot create the data directory %1.").arg(QDir::toNativeSeparators(dir)));

    QString why;
    if (!connection_.Open(dir + QLatin1Char('/') + MainFileName, QString(), {}, &why))
        return Fail(error, QStringLiteral("Cannot open the data store in %1: %2").arg(QDir::toNativeSeparators(dir), why));
    dir_ = dir;
    for (const QString& table : TableNames()) {
        TSqliteFailure failure = TSqliteFailure::None;
        if (AttachTable(table, &why, &failure))
            continue;
        // A file another program holds locked (a spreadsheet reading the call log) must not
        // keep the station from starting: it is attached at its first use once it is free.
        if (failure == TSqliteFailure::Busy) {
            qCWarning(LogCore, "%s", qPrintable(why));
            pending_ << table;
            continue;
        }
        Close();
        return Fail(error, why);
    }
    return true;
}

void TDM_Sys::AttachPending()
{
    if (pending_.isEmpty() || transactionDepth_ > 0)
        return;
    for (const QString& table : QStringList(pending_))
        if (AttachTable(table, nullptr))
            pending_.removeAll(table);
}

void TDM_Sys::Close()
{
    for (TQuery* q : {&DQ_Set, &DQ_SetExt, &DQ_Call, &DQ_Duty, &DQ_User})
        q->Close();
    connection_.Close();
    dir_.clear();
    pending_.clear();
    transactionDepth_ = 0;
}

bool TDM_Sys::IsOpen() const
{
    return connection_.IsOpen();
}

QSqlDatabase TDM_Sys::Database() const
{
    return connection_.Database();
}

bool TDM_Sys::Exec(const QString& statement, const QVariantList& values, QString* error)
{
    return connection_.Exec(statement, values, error);
}

bool TDM_Sys::Rewrite(const std::function<bool(QString* why)>& fn, QString* error)
{
    QString why;
    if (InTransaction([&] { return fn(&why); }, error))
        return true;
    if (!why.isEmpty())
        Fail(error, why);
    return false;
}

bool TDM_Sys::InTransaction(const std::function<bool()>& fn, QString* error)
{
    if (!IsOpen())
        return Fail(error, QStringLiteral("The data store is not open."));
    const bool outermost = transactionDepth_ == 0;
    const QString savepoint = QStringLiteral("nested%1").arg(transactionDepth_);
    const QString begin = outermost ? QStringLiteral("begin") : QStringLiteral("savepoint ") + savepoint;
    const QString commit = outermost ? QStringLiteral("commit") : QStringLiteral("release ") + savepoint;
    const auto rollback = [&] {
        // Errors of the undo itself are not reported: SQLite may already have
        // rolled the transaction back on its own after a hard failure.
        if (outermost) {
            Exec(QStringLiteral("rollback"), {}, nullptr);
        } else {
            Exec(QStringLiteral("rollback to ") + savepoint, {}, nullptr);
            Exec(QStringLiteral("release ") + savepoint, {}, nullptr);
        }
    };

    if (!Exec(begin, {}, error))
        return false;
    ++transactionDepth_;
    bool done = false;
    try {
        done = fn();
    } catch (...) {
        --transactionDepth_;
        rollback();
        throw;
    }
    --transactionDepth_;
    if (!done) {
        rollback();
        return Fail(error, QStringLiteral("The changes were not saved and have been undone."));
    }
    if (!Exec(commit, {}, error)) {
        rollback();
        return false;
    }
    return true;
}

bool TDM_Sys::DetachTable(const QString& table, QString* error)
{
    const TTableSchema* schema = FindTableSchema(table);
    if (!schema)
        return Fail(error, QStringLiteral("No table %1 in the data store.").arg(table));
    if (!IsOpen())
        return Fail(error, QStringLiteral("The data store is not open."));
    return Exec(QStringLiteral("detach database ") + QuotedIdentifier(schema->Name), {}, error);
}

bool TDM_Sys::AttachTable(const QString& table, QString* error, TSqliteFailure* failure)
{
    const TTableSchema* schema = FindTableSchema(table);
    if (!schema)
        return Fail(error, QStringLiteral("No table %1 in the data store.").arg(table));
    if (!IsOpen())
        return Fail(error, QStringLiteral("The data store is not open."));

    const QString path = dir_ + QLatin1Char('/') + schema->Name + QStringLiteral(".db");
    const QString name = QuotedIdentifier(schema->Name);
    QString why;
    // A file another program holds is not waited for long: the start must not hang on it.
    Exec(QStringLiteral("pragma busy_timeout=%1").arg(AttachBusyMs), {}, nullptr);
    const auto restoreWait = qScopeGuard([&] { Exec(QStringLiteral("pragma busy_timeout=%1").arg(BusyMs), {}, nullptr); });
    if (!Exec(QStringLiteral("attach database ? as ") + name, {path}, &why)) {
        if (failure)
            *failure = connection_.LastFailure();
        return Fail(error, QStringLiteral("Cannot open %1: %2").arg(QDir::toNativeSeparators(path), why));
    }

    // A rollback journal and full syncs keep the file whole whenever no
    // transaction is open, so a backup may copy it.
    const QStringList setup = {
        QStringLiteral("pragma %1.journal_mode=DELETE").arg(name),
        QStringLiteral("pragma %1.synchronous=FULL").arg(name),
        CreateTableStatement(*schema),
        CreateIndexStatement(*schema),
    };
    for (const QString& statement : setup) {
        if (!statement.isEmpty() && !Exec(statement, {}, &why)) {
            if (failure)
                *failure = connection_.LastFailure();
            Exec(QStringLiteral("detach database ") + name, {}, nullptr);
            return Fail(error, QStringLiteral("Cannot use %1 as table %2: %3")
                                       .arg(QDir::toNativeSeparators(path), schema->Name, why));
        }
    }
    if (!CheckColumns(schema->Name, error)) {
        Exec(QStringLiteral("detach database ") + name, {}, nullptr);
        return false;
    }
    return true;
}

// A file that already held the table with other columns would be read and
// written by position wrongly; it is refused instead of used.
bool TDM_Sys::CheckColumns(const QString& table, QString* error)
{
    const TTableSchema* schema = FindTableSchema(table);
    QSqlQuery q(Database());
    const QString name = QuotedIdentifier(schema->Name);
    if (!q.exec(QStringLiteral("pragma %1.table_info(%1)").arg(name)))
        return Fail(error, q.lastError().text());
    QStringList found;
    while (q.next())
        found << q.value(1).toString();
    QStringList expected;
    for (const TColumnDef& c : schema->Columns)
        expected << c.Name;
    if (found.join(QLatin1Char(',')).compare(expected.join(QLatin1Char(',')), Qt::CaseInsensitive) != 0)
        return Fail(error, QStringLiteral("%1 holds the table %2 with the columns (%3), expected (%4).")
                                   .arg(QDir::toNativeSeparators(dir_ + QLatin1Char('/') + schema->Name + QStringLiteral(".db")),
                                        schema->Name, found.join(QStringLiteral(", ")),
                                        expected.join(QStringLiteral(", "))));
    return true;
}
