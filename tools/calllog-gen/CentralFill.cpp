#include "CentralFill.h"

#include "central/CentralCalls.h"
#include "central/CentralSchema.h"
#include "central/PgLink.h"
#include "core/Failure.h"

#include <QHash>
#include <libpq-fe.h>
#include <memory>

namespace {

// The server's columns for the stored ones (TCallOutbox::Columns' order), after site and id.
const char* const CopyStatement =
    "copy calls (site, id, call_date, call_time, area, position, server, server_number, type, proc_time, "
    "proc_personnel, service_seconds, state) from stdin";
constexpr qsizetype FlushBytes = 1 << 20;
constexpr int TimeoutMs = 60000;

struct TConnCloser {
    void operator()(PGconn* conn) const { PQfinish(conn); }
};
using TConn = std::unique_ptr<PGconn, TConnCloser>;

QString Reason(const PGconn* conn) { return QString::fromUtf8(PQerrorMessage(conn)).trimmed(); }

// A field of COPY's text format.
void AppendField(QByteArray& line, const QVariant& v)
{
    if (v.isNull()) {
        line += "\\N";
        return;
    }
    for (const char c : v.toString().toUtf8()) {
        switch (c) {
        case '\\': line += "\\\\"; break;
        case '\t': line += "\\t"; break;
        case '\n': line += "\\n"; break;
        case '\r': line += "\\r"; break;
        default: line += c;
        }
    }
}

bool Exec(PGconn* conn, const char* statement, ExecStatusType expected, QString* error)
{
    PGresult* result = PQexec(conn, statement);
    const bool ok = PQresultStatus(result) == expected;
    PQclear(result);
    return ok || Fail(error, Reason(conn));
}

// Streams every site's calls into the open COPY.
bool StreamCalls(PGconn* conn, const TCentralFillPlan& plan, QString* error)
{
    QByteArray buffer;
    const auto flush = [&] {
        const bool ok = buffer.isEmpty() || PQputCopyData(conn, buffer.constData(), static_cast<int>(buffer.size())) == 1;
        buffer.clear();
        return ok || Fail(error, Reason(conn));
    };
    for (int site = 1; site <= plan.Sites; ++site) {
        const QString name = FillSiteName(site);
        const TCallLogPlan calls = FillSitePlan(plan, site);
        TCallMaker maker(calls.Seed, calls.Restaurant);
        // Identical calls can only fall on one day: the ordinal among them is counted per day.
        QHash<QByteArray, int> sameDay;
        QDate day;
        for (qint64 i = 0; i < calls.Rows; ++i) {
            const QDate date = CallDateOf(calls, i);
            if (date != day) {
                sameDay.clear();
                day = date;
            }
            const QVariantList stored = StoredColumns(maker.Next(date, date >= calls.NumbersFrom));
            QByteArray key;
            for (const QVariant& v : stored) {
                AppendField(key, v);
                key += '\t';
            }
            const int ordinal = sameDay[key]++;
            AppendField(buffer, name);
            buffer += '\t' + QByteArray::number(CentralCallId(stored, ordinal)) + '\t';
            buffer += key;
            buffer.back() = '\n';
            if (buffer.size() >= FlushBytes && !flush())
                return false;
        }
    }
    return flush();
}

}  // namespace

QString FillSiteName(int n) { return QStringLiteral("site%1").arg(n, 2, 10, QLatin1Char('0')); }

TCallLogPlan FillSitePlan(const TCentralFillPlan& plan, int n)
{
    // Every call with a staff number: the chain's stations log them.
    return {plan.First, plan.Days, plan.Calls / plan.Sites + (n <= plan.Calls % plan.Sites ? 1 : 0), plan.Seed, plan.First, n};
}

bool FillCentral(const TCentralFillPlan& plan, QString* error)
{
    {
        TPgLink link;
        if (!link.Connect(plan.Connect, TimeoutMs, error) || !InitCentralSchema(link, TimeoutMs, error))
            return false;
    }
    TConn conn(PQconnectdb(plan.Connect.toUtf8().constData()));
    if (PQstatus(conn.get()) != CONNECTION_OK)
        return Fail(error, Reason(conn.get()));
    if (!Exec(conn.get(), "begin", PGRES_COMMAND_OK, error) || !Exec(conn.get(), CopyStatement, PGRES_COPY_IN, error))
        return false;
    const bool streamed = StreamCalls(conn.get(), plan, error);
    if (PQputCopyEnd(conn.get(), streamed ? nullptr : "the generator stopped") != 1)
        return Fail(error, Reason(conn.get()));
    bool ok = streamed;
    while (PGresult* result = PQgetResult(conn.get())) {
        if (ok && PQresultStatus(result) != PGRES_COMMAND_OK)
            ok = Fail(error, Reason(conn.get()));
        PQclear(result);
    }
    if (!ok) {
        PQclear(PQexec(conn.get(), "rollback"));
        return false;
    }
    // Each site as its station reports itself.
    for (int site = 1; ok && site <= plan.Sites; ++site) {
        const QByteArray name = FillSiteName(site).toUtf8();
        const char* values[] = {name.constData()};
        PGresult* result = PQexecParams(conn.get(),
                                        "insert into sites (site, last_seen, link_ok, live_calls, backlog) "
                                        "values ($1, now(), true, 0, 0) on conflict (site) do nothing",
                                        1, nullptr, values, nullptr, nullptr, 0);
        ok = PQresultStatus(result) == PGRES_COMMAND_OK || Fail(error, Reason(conn.get()));
        PQclear(result);
    }
    // The planner is told about the new rows at once, not at autovacuum's next round.
    return ok && Exec(conn.get(), "commit", PGRES_COMMAND_OK, error) && Exec(conn.get(), "analyze calls", PGRES_COMMAND_OK, error);
}
