#include "web/WebLogin.h"

#include "core/DataStore.h"
#include "operators/OperatorStore.h"

TWebLogin CheckWebLogin(const QString& dataDir, const QString& name, const QString& password)
{
    TWebLogin result;
    TDM_Sys store;
    TOperatorStore operators(store);
    if (!store.Open(dataDir, &result.Error) || !operators.OpenAll()) {
        if (result.Error.isEmpty())
            result.Error = operators.LastError();
        result.Result = TWebLoginResult::StoreFailed;
        return result;
    }
    TLoginMsg login;
    const TOperatorCheck check = operators.Login(name, password, login);
    // An operator without a password is told so whatever was typed: guessing cannot get him in.
    const bool emptyPassword = check == TOperatorCheck::Ok
                                   ? password.isEmpty()
                                   : check == TOperatorCheck::WrongPassword
                                         && operators.Login(name, QString(), login) == TOperatorCheck::Ok;
    if (emptyPassword)
        result.Result = TWebLoginResult::NoPassword;
    else if (check == TOperatorCheck::Ok) {
        result.Result = TWebLoginResult::Ok;
        result.Operator = login;
    }
    return result;
}
