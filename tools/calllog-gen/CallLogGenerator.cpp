#include "CallLogGenerator.h"

#include "core/DataStore.h"

#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>

namespace {

const char* const Areas[] = {"大厅", "包间", "露台"};
const char* const Types[] = {"BUTTON1", "BUTTON2", "BUTTON3"};
const char* const Waiters[] = {"张三", "李四", "王五", "赵六", "钱七", "孙八", "周九", "吴十"};

}  // namespace

bool GenerateCallLog(TDM_Sys& store, const TCallLogPlan& plan, QString* error)
{
    QRandomGenerator random(plan.Seed);
    return store.InTransaction([&] {
        QSqlQuery q(store.Database());
        if (!q.prepare(QStringLiteral("insert into CallInfo (CallDate, CallTime, CallArea, CallDesktop, CallType, "
                                      "ServerPersonnel, ProcTime, ProcPersonnel, ServerTime, ServerState, UserNumber) "
                                      "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))) {
            if (error)
                *error = q.lastError().text();
            return false;
        }
        for (qint64 i = 0; i < plan.Rows; ++i) {
            const QDate date = plan.First.addDays(i * plan.Days / plan.Rows);
            // Opening hours 10:00 to 23:00, busiest around the meals.
            const int hour = random.bounded(100) < 60 ? (random.bounded(2) ? 12 : 18) + random.bounded(2) : 10 + random.bounded(13);
            const QTime called(hour, random.bounded(60), random.bounded(60));
            const int table = random.bounded(40);
            const int waiter = table % 8;
            const bool timedOut = random.bounded(100) < 8;
            const int seconds = timedOut ? 121 : 5 + random.bounded(115) + (random.bounded(10) == 0 ? random.bounded(600) : 0);
            const bool numbered = plan.NumbersFrom.isValid() && date >= plan.NumbersFrom;
            const QVariantList values = {
                date.toString(QStringLiteral("yyyy-MM-dd")),
                called.toString(QStringLiteral("HH:mm:ss")),
                QString::fromUtf8(Areas[table % 3]),
                QStringLiteral("T%1").arg(table + 1, 2, 10, QLatin1Char('0')),
                QString::fromLatin1(Types[random.bounded(3)]),
                QString::fromUtf8(Waiters[waiter]),
                timedOut ? QVariant() : QVariant(called.addSecs(seconds).toString(QStringLiteral("HH:mm:ss"))),
                timedOut ? QVariant() : QVariant(QString::fromUtf8(Waiters[waiter])),
                seconds,
                timedOut ? 1 : 0,
                numbered ? QVariant(QStringLiteral("%1").arg(waiter + 1, 3, 10, QLatin1Char('0'))) : QVariant(),
            };
            for (int v = 0; v < values.size(); ++v)
                q.bindValue(v, values[v]);
            if (!q.exec()) {
                if (error)
                    *error = q.lastError().text();
                return false;
            }
        }
        return true;
    }, error);
}
