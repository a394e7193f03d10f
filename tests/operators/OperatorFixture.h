#pragma once
// A fresh data directory with the operator table, and direct access to its rows.
#include "core/DataStore.h"
#include "operators/OperatorStore.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Digests this weak are quick to make; the format and checks are the same.
constexpr int TestHashIterations = 1000;

class OperatorFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        QString error;
        ASSERT_TRUE(store.Open(tmp.path() + QStringLiteral("/Data"), &error)) << error.toStdString();
    }

    // A row written straight into the table, as an older station or an installer left it.
    void PutRow(const QString& name, const QVariant& password, int popedom = 0, const QVariant& sex = true,
                const QString& duty = {})
    {
        TQuery q(store);
        q.SetSQL(QStringLiteral("insert into Operate (Name, Password, Popedom, Sex, Duty) values (?, ?, ?, ?, ?)"));
        for (const QVariant& v : {QVariant(name), password, QVariant(popedom), sex, QVariant(duty)})
            q.Bind(v);
        ASSERT_TRUE(q.ExecSQL()) << q.LastError().toStdString();
    }

    // One column of every row, read from the table itself.
    QStringList Column(const QString& column)
    {
        TQuery q(store);
        q.SetSQL(QStringLiteral("select * from Operate"));
        EXPECT_TRUE(q.Open()) << q.LastError().toStdString();
        QStringList values;
        for (q.First(); !q.Eof(); q.Next())
            values << q.FieldAsString(column);
        return values;
    }

    QString StoredPassword(const QString& name)
    {
        TQuery q(store);
        q.SetSQL(QStringLiteral("select Password from Operate where Name = ?"));
        q.Bind(name);
        EXPECT_TRUE(q.Open() && q.RecordCount() == 1) << name.toStdString();
        return q.FieldAsString(QStringLiteral("Password"));
    }

    // Every operator, opened as the management window opens them.
    TOperatorStore& Opened()
    {
        EXPECT_TRUE(operators.OpenAll()) << operators.LastError().toStdString();
        return operators;
    }

    QTemporaryDir tmp;
    TDM_Sys store;
    TOperatorStore operators{store, TestHashIterations};
};
