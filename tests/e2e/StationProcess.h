#pragma once
// What whole-process tests share: a data directory with a small restaurant,
// the settings that point the station at a pseudo-terminal, the call log as
// stored, and the station as a process.
#include "ProcessLines.h"
#include "SimProcess.h"

#include "core/DataStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

namespace e2e {

inline const QString kBin = QStringLiteral(STATION_BINARY_DIR);

inline void Exec(TDM_Sys& store, const QString& sql, const QVariantList& values)
{
    store.DQ_Set.SetSQL(sql);
    for (const QVariant& v : values)
        store.DQ_Set.Bind(v);
    ASSERT_TRUE(store.DQ_Set.ExecSQL()) << store.DQ_Set.LastError().toStdString();
}

inline void SeedRestaurant(const QString& dir)
{
    TDM_Sys store;
    ASSERT_TRUE(store.Open(dir));
    Exec(store, "insert into LayOutName values(?, ?, '')", {1, QString::fromUtf8("大厅")});
    Exec(store, "insert into LayOutName values(?, ?, '')", {2, QString::fromUtf8("包间")});
    const QString point = "insert into LayOutPoint values(?, ?, ?, 0, 0, 10, 10, 0, 60, 60, '')";
    Exec(store, point, {0x0001, 1, "A1"});
    Exec(store, point, {0x0002, 1, "A2"});
    Exec(store, point, {0x0010, 2, "VIP1"});
    const QString waiter = "insert into Waiter values(?, ?, '', 1, ?, '')";
    Exec(store, waiter, {"001", QString::fromUtf8("张三"), 0x05});
    Exec(store, waiter, {"002", QString::fromUtf8("李四"), 0x06});
    // Spans whose start equals their end cover the whole day.
    const QString duty = "insert into DutyTable values(?, ?, '08:00:00', '08:00:00', ?)";
    Exec(store, duty, {"001", QString::fromUtf8("张三"), 0x0001});
    Exec(store, duty, {"002", QString::fromUtf8("李四"), 0x0002});
    Exec(store, duty, {"001", QString::fromUtf8("张三"), 0x0010});
}

inline void WriteConfig(const QString& dir, const QString& port)
{
    QFile f(dir + "/Config.ini");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Com]\r\nPortName=" + port.toLocal8Bit() + "\r\n");
}

struct LogRow {
    QString area, desk, type, waiter, procTime, procPerson;
    int serverTime = 0, state = 0;
    bool procTimeNull = false, procPersonNull = false;
};

inline std::vector<LogRow> ReadLog(const QString& dir)
{
    TDM_Sys store;
    std::vector<LogRow> rows;
    if (!store.Open(dir))
        return rows;
    TQuery& q = store.DQ_Set;
    q.SetSQL("select * from CallInfo order by CallTime");
    if (!q.Open())
        return rows;
    for (q.First(); !q.Eof(); q.Next()) {
        LogRow r;
        r.area = q.FieldAsString("CallArea");
        r.desk = q.FieldAsString("CallDesktop");
        r.type = q.FieldAsString("CallType");
        r.waiter = q.FieldAsString("ServerPersonnel");
        r.procTime = q.FieldAsString("ProcTime");
        r.procPerson = q.FieldAsString("ProcPersonnel");
        r.procTimeNull = q.FieldIsNull("ProcTime");
        r.procPersonNull = q.FieldIsNull("ProcPersonnel");
        r.serverTime = q.FieldAsInteger("ServerTime");
        r.state = q.FieldAsInteger("ServerState");
        rows.push_back(r);
    }
    return rows;
}

// A data directory with the small restaurant, and a simulated receiver whose
// pseudo-terminal (or the link named by --link in simOptions) the settings name.
struct RestaurantOnALine {
    bool Prepare(const QStringList& simOptions = {})
    {
        if (!data.isValid())
            return false;
        SeedRestaurant(data.path());
        QString pty;
        if (!sim.Start(&pty, QStringList{"--seed", "7"} + simOptions))
            return false;
        const int link = simOptions.indexOf("--link");
        WriteConfig(data.path(), link >= 0 ? simOptions.value(link + 1) : pty);
        return true;
    }
    QString Dir() const { return data.path(); }

    QTemporaryDir data;
    SimProcess sim;
};

// The headless station as a process, on a clock clockRate times fast.
class Station {
public:
    Station(const QString& dataDir, int clockRate) : dir_(dataDir), out_(p_)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CALLSTATION_CLOCK_RATE", QString::number(clockRate));
        p_.setProcessEnvironment(env);
        p_.setProcessChannelMode(QProcess::SeparateChannels);
    }
    ~Station()
    {
        p_.kill();
        p_.waitForFinished(2000);
    }
    // Starts it and waits until it runs; its earlier output lines are left behind.
    bool Start()
    {
        out_.Reset();
        p_.start(kBin + "/callstation", {"--headless", "--data-dir", dir_});
        return p_.waitForStarted(5000) && out_.WaitFor("running", 10000);
    }
    // kill -9: no shutdown work at all, as in a crash or a power cut.
    void Crash()
    {
        p_.kill();
        p_.waitForFinished(5000);
    }
    // SIGTERM: closes as the main window's close does; true when it ended cleanly.
    bool Stop()
    {
        p_.terminate();
        return p_.waitForFinished(10000) && p_.exitStatus() == QProcess::NormalExit && p_.exitCode() == 0;
    }
    ProcessLines& Out() { return out_; }
    QString Lines() { return out_.All().join('\n'); }
    qint64 Pid() const { return p_.processId(); }

private:
    QString dir_;
    QProcess p_;
    ProcessLines out_;
};

}  // namespace e2e
