#include "central/CentralCalls.h"

#include "central/PgLink.h"

#include <QCryptographicHash>
#include <QDate>
#include <QStringList>
#include <QTime>
#include <QtEndian>

namespace {

// The server's columns for the stored ones (TCallOutbox::Columns' order), after site and id.
const QString CentralColumns = QStringLiteral(
    "site, id, call_date, call_time, area, position, server, server_number, type, proc_time, proc_personnel, "
    "service_seconds, state");
constexpr int ValuesPerCall = 13;

// What the server's typed columns take from a stored value: a date, time or number that does not read
// as one becomes null rather than stopping the calls behind it.
QVariant ServerValue(int column, const QVariant& v)
{
    if (v.isNull())
        return v;
    const QString text = v.toString();
    switch (column) {
    case 0:
        return QDate::fromString(text, Qt::ISODate).isValid() ? QVariant(text) : QVariant();
    case 1:
    case 7:
        return QTime::fromString(text, Qt::ISODate).isValid() ? QVariant(text) : QVariant();
    case 9:
    case 10: {
        bool ok = false;
        text.toInt(&ok);
        return ok ? QVariant(text) : QVariant();
    }
    default:
        return v;
    }
}

}  // namespace

qint64 CentralCallId(const QVariantList& stored, int ordinal)
{
    QByteArray text;
    for (const QVariant& v : stored)
        text += (v.isNull() ? QByteArray("\\N") : v.toString().toUtf8()) + '\x1f';
    text += QByteArray::number(ordinal);
    const QByteArray hash = QCryptographicHash::hash(text, QCryptographicHash::Sha256);
    // 63 bits: a positive bigint, and a collision among a site's calls is out of reach.
    return static_cast<qint64>(qFromBigEndian<quint64>(hash.constData()) & 0x7fffffffffffffffULL);
}

bool InsertCentralCalls(TPgLink& link, const QString& site, const std::vector<TCentralCall>& calls, int timeoutMs,
                        qint64* added, QString* error)
{
    if (added)
        *added = 0;
    if (calls.empty())
        return true;
    QStringList rows;
    QVariantList values;
    values.reserve(static_cast<qsizetype>(calls.size()) * ValuesPerCall);
    for (const TCentralCall& c : calls) {
        QStringList marks;
        for (int i = 1; i <= ValuesPerCall; ++i)
            marks << QStringLiteral("$%1").arg(values.size() + i);
        rows << QLatin1Char('(') + marks.join(QLatin1Char(',')) + QLatin1Char(')');
        values << site << QString::number(CentralCallId(c.Stored, c.Ordinal));
        for (int i = 0; i < c.Stored.size(); ++i)
            values << ServerValue(i, c.Stored[i]);
    }
    return link.Exec(QStringLiteral("insert into calls (%1) values %2 on conflict (site, id) do nothing")
                         .arg(CentralColumns, rows.join(QLatin1Char(','))),
                     values, timeoutMs, error, nullptr, added);
}
