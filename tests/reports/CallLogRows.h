#pragma once
// A store with call log rows written as the call log writes them, described
// field by field (unnamed fields take the usual values).
#include "support/StoreTest.h"

#include <QString>
#include <QVariant>

// Rows are written with designated initializers naming only the fields that matter.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

struct LogRow {
    QString date = QStringLiteral("2026-03-10");
    QString time = QStringLiteral("12:00:00");
    QString area = QStringLiteral("大厅");
    QString desktop = QStringLiteral("A1");
    QString type = QStringLiteral("BUTTON1");
    QString server = QStringLiteral("张三");
    QVariant procTime = QStringLiteral("12:01:00");
    QVariant proc = QStringLiteral("张三");
    QVariant serverTime = 60;
    int state = 0;
    QVariant userNumber;   // null, as rows written before staff numbers were logged
};

class CallLogTest : public StoreTest {
protected:
    void Log(const LogRow& r)
    {
        Exec("insert into CallInfo (CallDate, CallTime, CallArea, CallDesktop, CallType, ServerPersonnel, ProcTime, "
             "ProcPersonnel, ServerTime, ServerState, UserNumber) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
             {r.date, r.time, r.area, r.desktop, r.type, r.server, r.procTime, r.proc, r.serverTime, r.state,
              r.userNumber});
    }
    // n rows like r, in one transaction.
    void LogMany(const LogRow& r, int n)
    {
        ASSERT_TRUE(store.InTransaction([&] {
            for (int i = 0; i < n; ++i)
                Log(r);
            return true;
        }));
    }
};
