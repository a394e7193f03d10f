#include "reports/HistoryReader.h"

#include "core/DataStore.h"
#include "core/DateFormats.h"
#include "core/Failure.h"
#include "reports/HistoryColumns.h"

#include <QSqlError>
#include <QSqlQuery>

THistoryReader::THistoryReader(TDM_Sys& store, const THistoryQuery& query) : store_(store), query_(query) {}

namespace {

// The conditions for rows from a key on. The key's date also becomes the lowest
// date: the engine then starts at the key in the date index instead of stepping
// over every row before it from the first date on.
TStatement WhereFrom(THistoryQuery q, const THistoryKey* from)
{
    if (from) {
        const QDate keyDate = QDate::fromString(from->Date, IsoDateFormat);
        if (keyDate.isValid() && keyDate > q.SDate)
            q.SDate = keyDate;
    }
    return HistoryWhere(q);
}

}  // namespace

bool THistoryReader::Run(QSqlQuery& q, const QString& columns, const THistoryKey* from, bool inclusive, int limit,
                         int skip, QString* error, const QString& outer)
{
    const TStatement where = WhereFrom(query_, from);
    QString sql = QStringLiteral("select %1 from CallInfo where %2").arg(columns, where.Sql);
    if (from)
        sql += inclusive ? QStringLiteral(" and (CallDate, rowid)>=(?, ?)") : QStringLiteral(" and (CallDate, rowid)>(?, ?)");
    sql += QStringLiteral(" order by CallDate, rowid limit ? offset ?");
    if (!outer.isEmpty())
        sql = outer.arg(sql);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return Fail(error, q.lastError().text());
    for (const QVariant& v : where.Values)
        q.addBindValue(v);
    if (from) {
        q.addBindValue(from->Date);
        q.addBindValue(from->RowId);
    }
    q.addBindValue(limit);
    q.addBindValue(skip);
    return q.exec() || Fail(error, q.lastError().text());
}

bool THistoryReader::Rows(const THistoryKey* from, bool inclusive, int limit, std::vector<THistoryRow>& rows,
                          QString* error, int skip)
{
    rows.clear();
    QSqlQuery q(store_.Database());
    if (!Run(q, QStringLiteral("CallDate, rowid, ") + HistoryFieldList(), from, inclusive, limit, skip, error))
        return false;
    while (q.next()) {
        THistoryRow row{{q.value(0).toString(), q.value(1).toLongLong()}, std::vector<QVariant>(HistoryColumnCount)};
        for (int c = 0; c < HistoryColumnCount; ++c)
            row.Stored[c] = q.value(c + 2);
        rows.push_back(std::move(row));
    }
    return !q.lastError().isValid() || Fail(error, q.lastError().text());
}

bool THistoryReader::KeyAt(const THistoryKey* from, int skip, THistoryKey& key, bool& found, QString* error)
{
    QSqlQuery q(store_.Database());
    if (!Run(q, QStringLiteral("CallDate, rowid"), from, true, 1, skip, error))
        return false;
    found = q.next();
    if (found)
        key = {q.value(0).toString(), q.value(1).toLongLong()};
    return !q.lastError().isValid() || Fail(error, q.lastError().text());
}

bool THistoryReader::CountFrom(const THistoryKey* from, int limit, int& count, QString* error)
{
    // The rows counted are the ones a piece of Rows would return.
    QSqlQuery q(store_.Database());
    if (!Run(q, QStringLiteral("1"), from, true, limit, 0, error, QStringLiteral("select count(*) from (%1)")))
        return false;
    if (!q.next())
        return Fail(error, q.lastError().text());
    count = q.value(0).toInt();
    return true;
}
