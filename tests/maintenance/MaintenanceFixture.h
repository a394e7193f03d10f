#pragma once
// Data directories with a small restaurant in every table and Config.ini, two
// flavours of it (so a restore visibly changes things), and backups made of them.
#include "core/DataStore.h"
#include "core/GbkCodec.h"
#include "maintenance/BackupWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// Every row of a table in stored order, one text per row.
inline QStringList Rows(TDM_Sys& store, const QString& table)
{
    TQuery q(store);
    q.SetSQL(QStringLiteral("select * from %1 order by rowid").arg(table));
    EXPECT_TRUE(q.Open()) << q.LastError().toStdString();
    QStringList rows;
    for (q.First(); !q.Eof(); q.Next()) {
        QStringList cells;
        for (const QString& column : q.FieldNames())
            cells << q.FieldAsString(column);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

inline QStringList Rows(const QString& dir, const QString& table)
{
    TDM_Sys store;
    EXPECT_TRUE(store.Open(dir));
    return Rows(store, table);
}

inline const QStringList BackedUpTables = {"Operate", "LayOutName", "LayOutPoint", "DutyTable", "Waiter", "CallInfo"};

class MaintenanceFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        Seed(dirA, 'A');
        Seed(dirB, 'B');
    }

    // flavour A and B differ in every table and in Config.ini.
    static void Seed(const QString& dir, char flavour)
    {
        const QString f{QLatin1Char(flavour)};
        TDM_Sys store;
        ASSERT_TRUE(store.Open(dir));
        // One transaction: a commit per row would sync the disk forty times.
        ASSERT_TRUE(store.InTransaction([&] {
            const auto exec = [&](const QString& sql, const QVariantList& values) {
                TQuery q(store);
                q.SetSQL(sql);
                for (const QVariant& v : values)
                    q.Bind(v);
                return q.ExecSQL();
            };
            bool ok = exec("insert into Operate values(?, 'x', 1023, 1, '经理')", {"boss" + f})
                      && exec("insert into LayOutName values(1, ?, '')", {"大厅" + f})
                      && exec("insert into LayOutPoint values(66, 1, ?, 0, 255, 10, 10, 0, 60, 60, '')", {"T" + f})
                      && exec("insert into DutyTable values('001', ?, '00:00:00', '00:00:00', 66)", {"Anna" + f})
                      && exec("insert into Waiter values('001', ?, '123', 1, 5, '')", {"Anna" + f});
            for (int i = 0; ok && i < 40; ++i)
                ok = exec("insert into CallInfo values(?, '12:00:00', ?, 'T1', 'BUTTON1', 'Anna', '12:00:30', "
                          "'Anna', 30, 1, '')",
                          {QDate(2024, 1, 1 + i % 3), "大厅" + f});
            return ok;
        }));
        WriteBytes(dir + "/Config.ini", "[Face]\r\nTitle=" + ToGbk("一号店" + f) + "\r\n[Sys]\r\nPopupWin=1\r\n");
    }

    QString Backup(const QString& dir, uint32_t mask, bool compress)
    {
        const QString file = tmp.filePath(QStringLiteral("backup-%1.dat").arg(++backups));
        QString why;
        EXPECT_TRUE(WriteBackup(dir, file, mask, compress, &why)) << why.toStdString();
        return file;
    }

    // Everything a backup holds, as a connection to the directory sees it.
    static QStringList Snapshot(TDM_Sys& store)
    {
        QStringList all{QString::fromLatin1(ReadBytes(store.DataDirectory() + "/Config.ini").toHex())};
        for (const QString& table : BackedUpTables)
            all << table << Rows(store, table);
        return all;
    }
    static QStringList Snapshot(const QString& dir)
    {
        TDM_Sys store;
        EXPECT_TRUE(store.Open(dir));
        return Snapshot(store);
    }

    // The data directory's files other than the tables, Config.ini and the store's own.
    static QStringList Leftovers(const QString& dir)
    {
        QStringList names = QDir(dir).entryList(QDir::Files);
        names.removeIf([](const QString& n) { return n.endsWith(".db") || n == "Config.ini"; });
        return names;
    }

    QTemporaryDir tmp;
    const QString dirA = tmp.filePath("A");
    const QString dirB = tmp.filePath("B");
    int backups = 0;
};
