#include "operators/FirstOperator.h"

#include "core/DataStore.h"
#include "operators/LoginMsg.h"
#include "operators/PasswordHash.h"

bool EnsureFirstOperator(TDM_Sys& store, QString* error)
{
    return store.Rewrite([&](QString* why) {
        TQuery q(store);
        q.SetSQL(QStringLiteral("select count(*) as Operators from Operate"));
        if (!q.Open()) {
            *why = q.LastError();
            return false;
        }
        if (q.FieldAsInteger(QStringLiteral("Operators")) > 0)
            return true;
        q.SetSQL(QStringLiteral("insert into Operate (Name, Password, Popedom, Sex, Duty) values (?, ?, ?, ?, ?)"));
        q.Bind(FirstOperatorName);
        q.Bind(HashPassword(QString()));
        q.Bind(PopedomAll);
        q.Bind(true);
        q.Bind(QString());
        if (!q.ExecSQL()) {
            *why = q.LastError();
            return false;
        }
        return true;
    }, error);
}
