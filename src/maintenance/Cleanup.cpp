#include "maintenance/Cleanup.h"

#include "core/DataStore.h"
#include "core/Failure.h"
#include "core/ResStrings.h"
#include "maintenance/MaintenanceTexts.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

// Deleted a piece at a time, so a cancel is seen and the progress moves.
constexpr int CallsPerPiece = 20000;

}  // namespace

int CountCallsThrough(TDM_Sys& store, const QDate& day, QString* why)
{
    TQuery q(store);
    q.SetSQL(QStringLiteral("select count(*) as Calls from CallInfo where CallDate <= ?"));
    q.Bind(day);
    if (!q.Open()) {
        Fail(why, q.LastError());
        return -1;
    }
    return q.FieldAsInteger(QStringLiteral("Calls"));
}

bool DeleteCallsThrough(TDM_Sys& store, const QDate& day, QString* why, const TJobProgress& progress)
{
    const int calls = CountCallsThrough(store, day, why);
    if (calls < 0)
        return false;
    return store.Rewrite(
        [&](QString* failure) {
            QSqlQuery q(store.Database());
            q.prepare(QStringLiteral("delete from CallInfo where rowid in "
                                     "(select rowid from CallInfo where CallDate <= ? limit %1)")
                          .arg(CallsPerPiece));
            for (int deleted = 0;;) {
                if (progress.Cancelled()) {
                    *failure = LoadResStr(TxtMaintenanceCancelled);
                    return false;
                }
                q.addBindValue(day.toString(Qt::ISODate));
                if (!q.exec()) {
                    *failure = q.lastError().text();
                    return false;
                }
                if (q.numRowsAffected() <= 0) {
                    q.finish();
                    return true;
                }
                deleted += q.numRowsAffected();
                progress.Reached(deleted, calls);
            }
        },
        why);
}
