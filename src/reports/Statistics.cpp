#include "reports/Statistics.h"

#include "core/DataStore.h"
#include "core/Failure.h"
#include "core/ResStrings.h"
#include "reports/ReportsTexts.h"

namespace {

enum { Key1, Key2, Calls, TimeOuts, Rate };

bool OpenStatement(TQuery& q, const TStatement& s, QString* error)
{
    q.SetSQL(s.Sql);
    for (const QVariant& v : s.Values)
        q.Bind(v);
    return q.Open() || Fail(error, q.LastError());
}

std::vector<QVariant> TotalsRow(qint64 calls, qint64 timeOuts)
{
    return {QString(), LoadResStr(TxtReportsTotal), calls, timeOuts, PassRate(calls, timeOuts)};
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

bool StartStatistics(TDM_Sys& store, const TStatement& calls, const TStatement& timeOuts, TStatGrid& grid,
                     QString* error)
{
    grid.Rows.resize(1);
    TQuery& q = store.DQ_Set;
    if (!OpenStatement(q, calls, error))
        return false;
    if (q.RecordCount() == 0) {
        grid.Rows.push_back(TotalsRow(0, 0));
        return true;
    }
    // Time-outs are matched on the keys the engine grouped by: a null key and an
    // empty one are two groups, so they must not share their time-outs.
    const auto sameKey = [](const QVariant& a, const QVariant& b) {
        return a.isNull() == b.isNull() && a.toString() == b.toString();
    };
    qint64 callSum = 0;
    for (q.First(); !q.Eof(); q.Next()) {
        const qint64 total = q.Field(QStringLiteral("Total")).toLongLong();
        grid.Rows.push_back({q.Field(QStringLiteral("F1")), q.Field(QStringLiteral("F2")), total, QVariant(), QVariant()});
        callSum += total;
    }
    grid.Rows.push_back(std::vector<QVariant>(5));

    if (!OpenStatement(q, timeOuts, error))
        return false;
    qint64 timeOutSum = 0;
    for (q.First(); !q.Eof(); q.Next()) {
        const QVariant f1 = q.Field(QStringLiteral("F1"));
        const QVariant f2 = q.Field(QStringLiteral("F2"));
        const qint64 total = q.Field(QStringLiteral("Total")).toLongLong();
        for (int r = 1; r < grid.RowCount(); ++r) {
            if (sameKey(grid.Rows[r][Key1], f1) && sameKey(grid.Rows[r][Key2], f2)) {
                grid.Rows[r][TimeOuts] = total;
                break;
            }
        }
        timeOutSum += total;
    }
    q.Close();

    for (int r = 1; r < grid.RowCount() - 1; ++r) {
        std::vector<QVariant>& row = grid.Rows[r];
        if (row[TimeOuts].isNull())
            row[TimeOuts] = qint64(0);
        row[Rate] = PassRate(row[Calls].toLongLong(), row[TimeOuts].toLongLong());
        row[Key1] = KeyCell(grid.Kinds[Key1], row[Key1]);
        row[Key2] = KeyCell(grid.Kinds[Key2], row[Key2]);
    }
    grid.Rows.back() = TotalsRow(callSum, timeOutSum);
    return true;
}
