#include "reports/Statistics.h"

#include "core/DataStore.h"
#include "core/Failure.h"
#include "core/ResStrings.h"

#include <QSqlRecord>

namespace {

constexpr int TotalsTextId = 1529;

// The grid's last three columns; the group's keys come before them.
std::vector<QVariant> TotalsRow(int keys, qint64 calls, qint64 timeOuts)
{
    std::vector<QVariant> row(keys);
    for (QVariant& key : row)
        key = QString();
    row.back() = LoadResStr(TotalsTextId);
    row.insert(row.end(), {calls, timeOuts, PassRate(calls, timeOuts)});
    return row;
}

// A group key as its column shows it: a call date as a date, a year or month as a number.
QVariant KeyCell(TCellKind kind, const QVariant& v)
{
    if (v.isNull())
        return v;
    switch (kind) {
    case TCellKind::Date:
        return DateCell(v);
    case TCellKind::Integer:
        return v.toLongLong();
    default:
        return v.toString();
    }
}

}  // namespace

QString TStatGrid::Text(int row, int column, const QString& dateFormat) const
{
    return CellText(Kinds[column], Rows[row][column], dateFormat);
}

TStatGrid EmptyStatGrid()
{
    TStatGrid g;
    g.Kinds.assign(5, TCellKind::Text);
    g.Rows.assign(1, std::vector<QVariant>(5));
    return g;
}

TStatement TimeOutsStatement(const TStatement& calls)
{
    TStatement t = calls;
    const QString where = QStringLiteral("where ");
    const qsizetype at = t.Sql.indexOf(where, 0, Qt::CaseInsensitive);
    if (at >= 0)
        t.Sql.insert(at + where.size(), QStringLiteral("ServerState=1 and "));
    return t;
}

TRunStatement StoreStatements(TDM_Sys& store)
{
    return [&store](const TStatement& statement, TStatementRows& rows, QString* error) {
        rows.clear();
        QSqlQuery q(store.Database());
        q.setForwardOnly(true);
        if (!q.prepare(statement.Sql))
            return Fail(error, q.lastError().text());
        for (const QVariant& v : statement.Values)
            q.addBindValue(v);
        if (!q.exec())
            return Fail(error, q.lastError().text());
        while (q.next()) {
            std::vector<QVariant>& row = rows.emplace_back(q.record().count());
            for (int i = 0; i < static_cast<int>(row.size()); ++i)
                row[i] = q.value(i);
        }
        return !q.lastError().isValid() || Fail(error, q.lastError().text());
    };
}

bool StartStatistics(const TRunStatement& run, const TStatement& calls, const TStatement& timeOuts, TStatGrid& grid,
                     QString* error)
{
    const int keys = grid.ColumnCount() - 3;
    const int callsAt = keys, timeOutsAt = keys + 1, rateAt = keys + 2;
    grid.Rows.resize(1);
    TStatementRows rows;
    if (!run(calls, rows, error))
        return false;
    if (rows.empty()) {
        grid.Rows.push_back(TotalsRow(keys, 0, 0));
        return true;
    }
    // Time-outs are matched on the keys the engine grouped by: a null key and an
    // empty one are two groups, so they must not share their time-outs.
    const auto sameKeys = [keys](const std::vector<QVariant>& a, const std::vector<QVariant>& b) {
        for (int k = 0; k < keys; ++k)
            if (a[k].isNull() != b[k].isNull() || a[k].toString() != b[k].toString())
                return false;
        return true;
    };
    qint64 callSum = 0;
    for (std::vector<QVariant>& row : rows) {
        const qint64 total = row.at(keys).toLongLong();
        row.resize(keys + 3);
        row[callsAt] = total;
        callSum += total;
        grid.Rows.push_back(std::move(row));
    }
    TStatementRows outs;
    if (!run(timeOuts, outs, error))
        return false;
    qint64 timeOutSum = 0;
    for (const std::vector<QVariant>& out : outs) {
        const qint64 total = out.at(keys).toLongLong();
        for (int r = 1; r < grid.RowCount(); ++r) {
            if (sameKeys(grid.Rows[r], out)) {
                grid.Rows[r][timeOutsAt] = total;
                break;
            }
        }
        timeOutSum += total;
    }
    for (int r = 1; r < grid.RowCount(); ++r) {
        std::vector<QVariant>& row = grid.Rows[r];
        if (row[timeOutsAt].isNull())
            row[timeOutsAt] = qint64(0);
        row[rateAt] = PassRate(row[callsAt].toLongLong(), row[timeOutsAt].toLongLong());
        for (int k = 0; k < keys; ++k)
            row[k] = KeyCell(grid.Kinds[k], row[k]);
    }
    grid.Rows.push_back(TotalsRow(keys, callSum, timeOutSum));
    return true;
}
