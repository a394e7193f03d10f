#include "operators/FirstOperator.h"

#include "core/DataStore.h"
#include "core/Failure.h"
#include "operators/LoginMsg.h"
#include "operators/PasswordHash.h"

bool EnsureFirstOperator(TDM_Sys& store, QString* error)
{
    return store.Rewrite([&](QString* why) {
        TQuery q(store);
        q.SetSQL(QStringLiteral("select count(*) as Operators from Operate"));
        if (!q.Open())
            return Fail(why, q.LastError());
        if (q.FieldAsInteger(QStringLiteral("Operators")) > 0)
            return true;
        q.SetSQL(QStringLiteral("insert into Operate (Name, Password, Popedom, Sex, Duty) values (?, ?, ?, ?, ?)"));
        q.Bind(FirstOperatorName);
        q.Bind(HashPassword(QString()));
        q.Bind(PopedomAll);
        q.Bind(true);
        q.Bind(QString());
        if (!q.ExecSQL())
            return Fail(why, q.LastError());
        return true;
    }, error);
}
