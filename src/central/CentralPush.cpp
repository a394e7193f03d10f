#include "central/CentralPush.h"

#include "calls/CallOutbox.h"
#include "central/CentralCalls.h"
#include "core/Failure.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace {

constexpr int ColumnCount = 11;

bool ReadAndSend(QSqlDatabase& db, TPgLink& link, const QString& site, int batchRows, int timeoutMs,
                 TPushCount& count, QString* error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // The ordinal among identical rows in the log's order, as the outbox counts it when a call is logged.
    const QString columns = TCallOutbox::Columns;
    if (!q.exec(QStringLiteral("select %1, row_number() over (partition by %1 order by rowid) - 1 "
                               "from CallInfo order by rowid")
                    .arg(columns)))
        return Fail(error, q.lastError().text());
    std::vector<TCentralCall> batch;
    const auto send = [&] {
        qint64 added = 0;
        if (!InsertCentralCalls(link, site, batch, timeoutMs, &added, error))
            return false;
        count.Sent += static_cast<qint64>(batch.size());
        count.Added += added;
        batch.clear();
        return true;
    };
    while (q.next()) {
        TCentralCall c;
        for (int i = 0; i < ColumnCount; ++i)
            c.Stored << q.value(i);
        c.Ordinal = q.value(ColumnCount).toInt();
        batch.push_back(std::move(c));
        if (static_cast<int>(batch.size()) >= batchRows && !send())
            return false;
    }
    if (q.lastError().isValid())
        return Fail(error, q.lastError().text());
    return batch.empty() || send();
}

}  // namespace

bool PushCallLog(const QString& dataDir, TPgLink& link, const QString& site, int batchRows, int timeoutMs,
                 TPushCount& count, QString* error)
{
    const QString connection = QStringLiteral("CentralPush");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        // Read only, and never made anew where there is none.
        db.setDatabaseName(QUrl::fromLocalFile(QDir(dataDir).absoluteFilePath(QStringLiteral("CallInfo.db")))
                               .toString(QUrl::FullyEncoded) + QStringLiteral("?mode=ro"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
        ok = db.open() ? ReadAndSend(db, link, site, batchRows, timeoutMs, count, error)
                       : Fail(error, db.lastError().text());
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}
