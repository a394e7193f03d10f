#pragma once
// What the web tests set up alike: an operator in a data directory, a server's settings.
#include "core/DataStore.h"
#include "operators/OperatorStore.h"
#include "web/WebSettings.h"

#include <gtest/gtest.h>

// Adds an operator with a password (none: the empty one) and permission bits, as the operator windows do.
inline void AddOperator(const QString& dataDir, const QString& name, const QString& password, int32_t popedom = 0)
{
    TDM_Sys store;
    ASSERT_TRUE(store.Open(dataDir));
    TOperatorStore operators(store, 1000);  // a quick digest: the check reads its strength from it
    ASSERT_TRUE(operators.OpenAll());
    ASSERT_EQ(operators.Add(name, false, QString()), TOperatorCheck::Ok);
    ASSERT_EQ(operators.SetPopedom(popedom), TOperatorCheck::Ok);
    if (!password.isEmpty())
        ASSERT_EQ(operators.ChangePassword(QString(), password, password), TOperatorCheck::Ok);
}

// Plain HTTP on the loopback address, on a free port unless given one.
inline TWebSettings LoopbackSettings(int port = 0)
{
    TWebSettings settings;
    settings.Host = QStringLiteral("127.0.0.1");
    settings.Port = port;
    return settings;
}
