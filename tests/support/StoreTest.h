#pragma once
// A test with its own data store in a fresh temporary directory.
#include "core/DataStore.h"

#include <QTemporaryDir>
#include <QVariantList>
#include <gtest/gtest.h>

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        QString error;
        ASSERT_TRUE(store.Open(tmp.path(), &error)) << error.toStdString();
    }

    // Runs one statement with bound values; the test fails when it does.
    void Exec(const QString& sql, const QVariantList& values = {})
    {
        TQuery q(store);
        q.SetSQL(sql);
        for (const QVariant& v : values)
            q.Bind(v);
        ASSERT_TRUE(q.ExecSQL()) << q.LastError().toStdString();
    }

    QTemporaryDir tmp;
    TDM_Sys store;
};
