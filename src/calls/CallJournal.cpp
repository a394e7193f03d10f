#include "calls/CallJournal.h"

#include "core/DataStore.h"
#include "core/DateFormats.h"
#include "core/Failure.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

const QString TCallJournal::FileName = QStringLiteral("CallJournal.db");

namespace {

const QString CreateStatement = QStringLiteral(
    "create table if not exists CallJournal (JournalId INTEGER PRIMARY KEY, CallDate TEXT, CallTime TEXT, "
    "Addr INTEGER, Key INTEGER, CallArea TEXT, CallDesktop TEXT, ServerPersonnel TEXT, OpenedAt TEXT, "
    "CallType TEXT, ProcTime TEXT, ProcPersonnel TEXT, ServerTime INTEGER, ServerState INTEGER, UserNumber TEXT)");

// Texts are never stored as null: the log keeps empty texts empty.
QVariant Text(const QString& s) { return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s); }
QVariant NullIfEmpty(const QString& s) { return s.isEmpty() ? QVariant() : QVariant(s); }
QVariant TimeText(const QTime& t) { return t.isValid() ? QVariant(t.toString(IsoTimeFormat)) : QVariant(); }

QVariantList OpenValues(const TJournalEntry& e)
{
    const TCallLogRow& r = e.Row;
    return {r.CallDate.toString(IsoDateFormat), TimeText(r.CallTime), e.Addr, e.Key, Text(r.CallArea),
            Text(r.CallDesktop), Text(r.ServerPersonnel), TimeText(e.OpenedAt), NullIfEmpty(r.UserNumber)};
}

// The closing columns; a call that was not served has no cancel time and no server.
QVariantList ClosingValues(const TCallLogRow& r)
{
    const bool served = r.ServerState == 0;
    return {Text(r.CallType), served ? TimeText(r.ProcTime) : QVariant(),
            served ? Text(r.ProcPersonnel) : QVariant(), r.ServerTime, r.ServerState};
}

TJournalEntry EntryOf(const QSqlQuery& q)
{
    TJournalEntry e;
    e.JournalId = q.value(QStringLiteral("JournalId")).toLongLong();
    e.Addr = static_cast<uint16_t>(q.value(QStringLiteral("Addr")).toUInt());
    e.Key = static_cast<uint8_t>(q.value(QStringLiteral("Key")).toUInt());
    e.OpenedAt = QTime::fromString(q.value(QStringLiteral("OpenedAt")).toString(), IsoTimeFormat);
    e.Closed = !q.value(QStringLiteral("ServerState")).isNull();
    TCallLogRow& r = e.Row;
    r.CallDate = QDate::fromString(q.value(QStringLiteral("CallDate")).toString(), IsoDateFormat);
    r.CallTime = QTime::fromString(q.value(QStringLiteral("CallTime")).toString(), IsoTimeFormat);
    r.CallArea = q.value(QStringLiteral("CallArea")).toString();
    r.CallDesktop = q.value(QStringLiteral("CallDesktop")).toString();
    r.ServerPersonnel = q.value(QStringLiteral("ServerPersonnel")).toString();
    r.UserNumber = q.value(QStringLiteral("UserNumber")).toString();
    if (e.Closed) {
        r.CallType = q.value(QStringLiteral("CallType")).toString();
        r.ProcTime = QTime::fromString(q.value(QStringLiteral("ProcTime")).toString(), IsoTimeFormat);
        r.ProcPersonnel = q.value(QStringLiteral("ProcPersonnel")).toString();
        r.ServerTime = q.value(QStringLiteral("ServerTime")).toInt();
        r.ServerState = q.value(QStringLiteral("ServerState")).toInt();
    }
    return e;
}

}  // namespace

TCallJournal::TCallJournal() : connection_(QStringLiteral("CallJournal")) {}

TCallJournal::~TCallJournal() { Close(); }

bool TCallJournal::Open(const QString& dataDir, QString* error)
{
    Close();
    dir_ = QDir::cleanPath(QDir(dataDir).absolutePath());
    const QString path = dir_ + QLatin1Char('/') + FileName;
    QString why;
    if (OpenFile(path, &why))
        return true;
    if (connection_.LastFailure() == TSqliteFailure::Unusable) {
        // Kept, never deleted: it may still hold calls someone wants to read.
        Close();
        const QString aside = path + QStringLiteral(".broken-") +
                              QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
        if (QFile::rename(path, aside) && OpenFile(path, nullptr))
            return Fail(error, QStringLiteral("%1 was damaged and has been kept as %2")
                                       .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(aside)));
    }
    Close();
    // The log must still be written: the journal then lives in memory only.
    OpenFile(QStringLiteral(":memory:"), nullptr);
    return Fail(error, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), why));
}

bool TCallJournal::OpenFile(const QString& path, QString* error)
{
    // Never wait on a lock: a busy call log is tried again later instead.
    // A rollback journal: the connection's main file must be one on disk for a
    // transaction over it and CallInfo to commit atomically. Kept between
    // transactions, it is not made and synced into the directory anew for each.
    return connection_.Open(path, QStringLiteral("QSQLITE_BUSY_TIMEOUT=0;QSQLITE_OPEN_URI"),
                            {QStringLiteral("pragma journal_mode=PERSIST"), QStringLiteral("pragma synchronous=FULL"),
                             CreateStatement},
                            error);
}

void TCallJournal::Close()
{
    connection_.Close();
}

bool TCallJournal::Exec(const QString& statement, const QVariantList& values, QString* error, int64_t* insertedId,
                        int* changed)
{
    QSqlQuery q;
    if (!connection_.Exec(statement, values, error, &q))
        return false;
    if (insertedId)
        *insertedId = q.lastInsertId().toLongLong();
    if (changed)
        *changed = q.numRowsAffected();
    return true;
}

int64_t TCallJournal::AddOpenCall(const TJournalEntry& entry, QString* error)
{
    int64_t id = 0;
    const bool ok = Exec(QStringLiteral("insert into CallJournal (CallDate, CallTime, Addr, Key, CallArea, CallDesktop, "
                                        "ServerPersonnel, OpenedAt, UserNumber) values(?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                         OpenValues(entry), error, &id);
    return ok ? id : 0;
}

int64_t TCallJournal::KeepClosedCall(const TJournalEntry& entry, QString* error)
{
    int changed = 0;
    if (entry.JournalId != 0) {
        QVariantList values = ClosingValues(entry.Row);
        values << QVariant::fromValue(entry.JournalId);
        if (!Exec(QStringLiteral("update CallJournal set CallType=?, ProcTime=?, ProcPersonnel=?, ServerTime=?, "
                                 "ServerState=? where JournalId=?"),
                  values, error, nullptr, &changed))
            return 0;
        if (changed > 0)
            return entry.JournalId;
    }
    int64_t id = 0;
    const bool ok = Exec(QStringLiteral("insert into CallJournal (CallDate, CallTime, Addr, Key, CallArea, CallDesktop, "
                                        "ServerPersonnel, OpenedAt, UserNumber, CallType, ProcTime, ProcPersonnel, "
                                        "ServerTime, ServerState) values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                         OpenValues(entry) + ClosingValues(entry.Row), error, &id);
    return ok ? id : 0;
}

bool TCallJournal::MoveToLog(const std::vector<TJournalEntry>& entries, QString* error, bool* busy)
{
    if (entries.empty())
        return true;
    std::unique_lock<std::mutex> outboxTurn;
    if (outbox_) {
        outboxTurn = std::unique_lock(*outbox_, std::try_to_lock);
        if (busy)
            *busy = !outboxTurn.owns_lock();
        if (!outboxTurn.owns_lock())
            return Fail(error, QStringLiteral("the central outbox is busy"));
    }
    // A restore swaps CallInfo.db under this mutex; the log waits for the next try rather than for it.
    if (!DataMutex.tryLock())
        return Fail(error, QStringLiteral("the data files are being restored"));
    // Attached for this move only, so a CallInfo.db swapped in by a restore is the one written.
    // The file must exist: a missing one is not silently made anew.
    const QString logUri = QUrl::fromLocalFile(dir_ + QStringLiteral("/CallInfo.db")).toString(QUrl::FullyEncoded)
                           + QStringLiteral("?mode=rw");
    bool ok = Exec(QStringLiteral("attach database ? as CallLog"), {logUri}, error);
    // The outbox is made when missing: it only ever holds calls the log holds too.
    const bool withOutbox =
        ok && outbox_
        && (ok = Exec(QStringLiteral("attach database ? as Outbox"), {dir_ + QLatin1Char('/') + TCallOutbox::FileName},
                      error));
    if (ok && withOutbox)
        ok = Exec(QStringLiteral("pragma Outbox.journal_mode=PERSIST"), {}, error)
             && Exec(QStringLiteral("pragma Outbox.synchronous=FULL"), {}, error)
             && Exec(TCallOutbox::CreateStatement(QStringLiteral("Outbox")), {}, error);
    if (ok) {
        ok = Exec(QStringLiteral("pragma CallLog.synchronous=FULL"), {}, error)
             && Exec(QStringLiteral("begin"), {}, error);
        if (ok) {
            QSqlQuery insert(connection_.Database());
            QSqlQuery drop(connection_.Database());
            ok = insert.prepare(QStringLiteral(
                     "insert into CallLog.CallInfo (CallDate, CallTime, CallArea, CallDesktop, ServerPersonnel, "
                     "UserNumber, CallType, ProcTime, ProcPersonnel, ServerTime, ServerState) "
                     "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))
                 && drop.prepare(QStringLiteral("delete from CallJournal where JournalId=?"));
            for (size_t i = 0; ok && i < entries.size(); ++i) {
                const TCallLogRow& r = entries[i].Row;
                const QVariantList values =
                    QVariantList{r.CallDate.toString(IsoDateFormat), TimeText(r.CallTime), Text(r.CallArea),
                                 Text(r.CallDesktop), Text(r.ServerPersonnel), NullIfEmpty(r.UserNumber)}
                    + ClosingValues(r);
                ok = !withOutbox || EnterOutbox(values, error);
                for (int v = 0; ok && v < values.size(); ++v)
                    insert.bindValue(v, values[v]);
                ok = ok && insert.exec();
                if (ok && entries[i].JournalId != 0) {
                    drop.bindValue(0, QVariant::fromValue(entries[i].JournalId));
                    ok = drop.exec();
                }
            }
            if (!ok && (insert.lastError().isValid() || drop.lastError().isValid()))
                Fail(error, SqliteReason(insert.lastError().isValid() ? insert.lastError() : drop.lastError()));
            insert.finish();
            drop.finish();
            ok = ok && Exec(QStringLiteral("commit"), {}, error);
            if (!ok)
                Exec(QStringLiteral("rollback"));
        }
    }
    if (withOutbox)
        Exec(QStringLiteral("detach database Outbox"));
    Exec(QStringLiteral("detach database CallLog"));
    DataMutex.unlock();
    return ok;
}

bool TCallJournal::EnterOutbox(const QVariantList& stored, QString* error)
{
    // Identical rows are told apart by their order in the log, as a backfill from CallInfo does.
    QSqlQuery count(connection_.Database());
    QString sameRow = TCallOutbox::Columns;
    sameRow.replace(QStringLiteral(","), QStringLiteral(" is ? and")).append(QStringLiteral(" is ?"));
    if (!count.prepare(QStringLiteral("select count(*) from CallLog.CallInfo where ") + sameRow))
        return Fail(error, SqliteReason(count.lastError()));
    for (const QVariant& v : stored)
        count.addBindValue(v);
    if (!count.exec() || !count.next())
        return Fail(error, SqliteReason(count.lastError()));
    const QVariantList values = stored + QVariantList{count.value(0)};
    count.finish();
    return Exec(QStringLiteral("insert into Outbox.CallOutbox (%1, Ordinal) values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                    .arg(TCallOutbox::Columns),
                values, error);
}

bool TCallJournal::ReadAll(std::vector<TJournalEntry>& entries, QString* error)
{
    entries.clear();
    QSqlQuery q(connection_.Database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("select * from CallJournal order by JournalId")))
        return Fail(error, SqliteReason(q.lastError()));
    while (q.next())
        entries.push_back(EntryOf(q));
    return true;
}
