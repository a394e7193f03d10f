#include "reports/HistoryReader.h"

#include "core/DataStore.h"
#include "reports/HistoryColumns.h"

#include <QSqlError>

THistoryReader::THistoryReader(TDM_Sys& store, const THistoryQuery& query)
    : store_(store), where_(HistoryWhere(query))
{
}

bool THistoryReader::Run(QSqlQuery& q, const QString& columns, const THistoryKey* from, bool inclusive,
                         int limit, QString* error)
{
    QString sql = QStringLiteral("select %1 from CallInfo where %2").arg(columns, where_.Sql);
    if (from)
        sql += inclusive ? QStringLiteral(" and (CallDate, rowid)>=(?, ?)") : QStringLiteral(" and (CallDate, rowid)>(?, ?)");
    sql += QStringLiteral(" order by CallDate, rowid limit ?");
    q.setForwardOnly(true);
    bool ok = q.prepare(sql);
    if (ok) {
        for (const QVariant& v : where_.Values)
            q.addBindValue(v);
        if (from) {
            q.addBindValue(from->Date);
            q.addBindValue(from->RowId);
        }
        q.addBindValue(limit);
        ok = q.exec();
    }
    if (!ok && error)
        *error = q.lastError().text();
    return ok;
}

bool THistoryReader::Rows(const THistoryKey* from, bool inclusive, int limit, std::vector<THistoryRow>& rows,
                          QString* error)
{
    rows.clear();
    QSqlQuery q(store_.Database());
    if (!Run(q, QStringLiteral("CallDate, rowid, ") + HistoryFieldList(), from, inclusive, limit, error))
        return false;
    while (q.next()) {
        THistoryRow row{{q.value(0).toString(), q.value(1).toLongLong()}, std::vector<QVariant>(HistoryColumnCount)};
        for (int c = 0; c < HistoryColumnCount; ++c)
            row.Stored[c] = q.value(c + 2);
        rows.push_back(std::move(row));
    }
    if (q.lastError().isValid()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    return true;
}

bool THistoryReader::Keys(const THistoryKey* after, int limit, std::vector<THistoryKey>& keys, QString* error)
{
    keys.clear();
    QSqlQuery q(store_.Database());
    if (!Run(q, QStringLiteral("CallDate, rowid"), after, false, limit, error))
        return false;
    while (q.next())
        keys.push_back({q.value(0).toString(), q.value(1).toLongLong()});
    if (q.lastError().isValid()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    return true;
}
