#include "maintenance/TableFiles.h"

#include "core/Failure.h"
#include "core/ResStrings.h"
#include "core/SqliteConnection.h"
#include "core/TableSchemas.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

// Each file gets a read-only connection of its own. A station logging calls holds the file
// only for each commit; a snapshot waits for a gap.
const QString ReadOnly = QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=30000");
const QString ConnectionPrefix = QStringLiteral("TableFile");

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

// Why a file cannot stand in for a table of the data store.
QString Unusable(const QString& path, const QString& reason) { return LoadResStr(3202).arg(Native(path), reason); }

}  // namespace

bool CopyTableFile(const QString& source, const QString& copy, QString* why)
{
    QString reason = QStringLiteral("No such file");
    if (QFile::exists(source)) {
        TSqliteConnection connection(ConnectionPrefix);
        // VACUUM INTO reads the whole file inside one read transaction.
        if (connection.Open(source, ReadOnly, {}, &reason)
            && connection.Exec(QStringLiteral("vacuum main into ?"), {copy}, &reason))
            return true;
    }
    return Fail(why, LoadResStr(3200).arg(Native(source), reason));
}

bool CheckTableFile(const QString& path, const QString& table, QString* why)
{
    const TTableSchema* schema = FindTableSchema(table);
    if (!schema)
        return Fail(why, Unusable(path, QStringLiteral("no table %1 in the data store").arg(table)));
    TSqliteConnection connection(ConnectionPrefix);
    QString reason;
    if (!connection.Open(path, ReadOnly, {}, &reason))
        return Fail(why, Unusable(path, reason));
    QSqlQuery q(connection.Database());
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
