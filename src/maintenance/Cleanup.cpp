#include "maintenance/Cleanup.h"

#include "core/DataStore.h"

#include <QMutexLocker>

int CountCallsThrough(TDM_Sys& store, const QDate& day, QString* why)
{
    TQuery q(store);
    q.SetSQL(QStringLiteral("select count(*) as Calls from CallInfo where CallDate <= ?"));
    q.Bind(day);
    if (!q.Open()) {
        Failed(q, why);
        return -1;
    }
    return q.FieldAsInteger(QStringLiteral("Calls"));
}

bool DeleteCallsThrough(TDM_Sys& store, const QDate& day, QString* why)
{
    QMutexLocker lock(&DataMutex);
    TQuery q(store);
    q.SetSQL(QStringLiteral("delete from CallInfo where CallDate <= ?"));
    q.Bind(day);
    return q.ExecSQL() || Failed(q, why);
}
