#include "maintenance/RestoredLogin.h"

#include "operators/LoginMsg.h"
#include "operators/OperatorStore.h"

bool FollowRestoredOperators(TDM_Sys& store, TLoginMsg& login)
{
    if (!login.LoggedIn)
        return false;
    TOperatorStore operators(store);
    if (!operators.OpenAll())
        return false;
    for (int i = 0; i < operators.Count(); ++i) {
        const TOperatorRow& row = operators.Row(i);
        if (row.Name.compare(login.Name, Qt::CaseInsensitive) != 0)
            continue;
        // The restored table numbers its rows anew: the login follows the row by name.
        const bool changed = row.RowId != login.RowId || row.Name != login.Name || row.Popedom != login.Popedom;
        login.RowId = row.RowId;
        login.Name = row.Name;
        login.Popedom = row.Popedom;
        return changed;
    }
    login.LoggedIn = false;
    return true;
}
