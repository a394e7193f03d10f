#include "maintenance/TableFiles.h"

#include "core/Failure.h"
#include "core/ResStrings.h"
#include "core/TableSchemas.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <atomic>

namespace {

// A read-only connection of its own to one file, gone with this object.
class TFileConnection {
public:
    explicit TFileConnection(const QString& path) : name_(NextName())
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        // A station logging calls holds the file only for each commit; a snapshot waits for a gap.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=30000"));
    }
    ~TFileConnection()
    {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    TFileConnection(const TFileConnection&) = delete;
    TFileConnection& operator=(const TFileConnection&) = delete;

    bool Open(QString* why)
    {
        QSqlDatabase db = Db();
        if (db.open())
            return true;
        return Fail(why, db.lastError().text());
    }
    QSqlDatabase Db() const { return QSqlDatabase::database(name_, false); }

private:
    static QString NextName()
    {
        static std::atomic<int> counter{0};
        return QStringLiteral("TableFile-%1").arg(++counter);
    }
    QString name_;
};

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

// Why a file cannot stand in for a table of the data store.
QString Unusable(const QString& path, const QString& reason) { return LoadResStr(3202).arg(Native(path), reason); }

}  // namespace

bool CopyTableFile(const QString& source, const QString& copy, QString* why)
{
    QString reason = QStringLiteral("No such file");
    if (QFile::exists(source)) {
        TFileConnection connection(source);
        if (connection.Open(&reason)) {
            // VACUUM INTO reads the whole file inside one read transaction.
            QSqlQuery q(connection.Db());
            q.prepare(QStringLiteral("vacuum main into ?"));
            q.addBindValue(copy);
            if (q.exec())
                return true;
            reason = q.lastError().text();
        }
    }
    return Fail(why, LoadResStr(3200).arg(Native(source), reason));
}

bool CheckTableFile(const QString& path, const QString& table, QString* why)
{
    const TTableSchema* schema = FindTableSchema(table);
    if (!schema)
        return Fail(why, Unusable(path, QStringLiteral("no table %1 in the data store").arg(table)));
    TFileConnection connection(path);
    QString reason;
    if (!connection.Open(&reason))
        return Fail(why, Unusable(path, reason));
    QSqlQuery q(connection.Db());
    if (!q.exec(QStringLiteral("pragma quick_check")) || !q.next())
        return Fail(why, Unusable(path, q.lastError().text()));
    if (q.value(0).toString() != QLatin1String("ok"))
        return Fail(why, Unusable(path, q.value(0).toString()));

    QStringList found;
    if (!q.exec(QStringLiteral("pragma table_info(%1)").arg(QuotedIdentifier(schema->Name))))
        return Fail(why, Unusable(path, q.lastError().text()));
    while (q.next())
        found << q.value(1).toString();
    QStringList expected;
    for (const TColumnDef& c : schema->Columns)
        expected << c.Name;
    if (found.join(QLatin1Char(',')).compare(expected.join(QLatin1Char(',')), Qt::CaseInsensitive) != 0)
        return Fail(why, Unusable(path, QStringLiteral("no table %1 with the columns (%2)")
                                     .arg(schema->Name, expected.join(QStringLiteral(", ")))));
    return true;
}
