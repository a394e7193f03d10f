#include "central/CentralSchema.h"

#include "central/PgLink.h"

#include <QStringList>

namespace {

// Step n brings the tables from version n to version n + 1.
const char* const Steps[] = {
    "create table if not exists calls ("
    " site text not null, id bigint not null, call_date date, call_time time,"
    " area text, position text, type text, server text,"
    " server_number text, service_seconds integer, state smallint,"
    " proc_time time, proc_personnel text, primary key (site, id));"
    "create index if not exists calls_date on calls (call_date);"
    "create index if not exists calls_site_date on calls (site, call_date);"
    "create table if not exists sites ("
    " site text primary key, last_seen timestamptz not null, link_ok boolean not null,"
    " live_calls integer not null, backlog integer not null);",
};
static_assert(std::size(Steps) == CentralSchemaVersion);

}  // namespace

bool InitCentralSchema(TPgLink& link, int timeoutMs, QString* error)
{
    const auto run = [&](const QString& statement, std::vector<QStringList>* rows = nullptr) {
        return link.Exec(statement, {}, timeoutMs, error, rows);
    };
    std::vector<QStringList> rows;
    bool ok = run(QStringLiteral("begin; select pg_advisory_xact_lock(7421001);"
                                 "create table if not exists schema_version (version integer not null);"
                                 "select coalesce(max(version), 0) from schema_version"),
                  &rows);
    int version = ok && !rows.empty() ? rows.back().value(0).toInt() : 0;
    for (; ok && version < CentralSchemaVersion; ++version)
        ok = run(QString::fromUtf8(Steps[version]));
    ok = ok && run(QStringLiteral("delete from schema_version; insert into schema_version values (%1); commit")
                       .arg(std::max(version, CentralSchemaVersion)));
    if (!ok && link.IsOpen())
        link.Exec(QStringLiteral("rollback"), {}, timeoutMs);
    return ok;
}
