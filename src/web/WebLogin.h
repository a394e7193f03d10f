#pragma once
// Checks a log-in from the web page against the operators' stored salted hashes, through the
// operators' own code, on the calling thread with a connection of its own.
#include "operators/LoginMsg.h"

#include <QString>

enum class TWebLoginResult {
    Ok,
    Refused,      // unknown name or wrong password: one answer for both
    NoPassword,   // the operator has the empty password: not over the network
    StoreFailed,
};

struct TWebLogin {
    TWebLoginResult Result = TWebLoginResult::Refused;
    TLoginMsg Operator;   // Ok only
    QString Error;        // StoreFailed only
};

TWebLogin CheckWebLogin(const QString& dataDir, const QString& name, const QString& password);
