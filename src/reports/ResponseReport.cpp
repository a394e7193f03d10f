#include "core/Failure.h"
#include "reports/StatReports.h"

#include "core/DateFormats.h"
#include "core/ResStrings.h"
#include "reports/DatePieces.h"
#include "reports/Statement.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace {

struct TGroupBy {
    QString Key1, Key2;     // expressions over CallInfo
    int Title1, Title2;
    int Caption;
    TCellKind Kind1;
};

TGroupBy GroupBy(TResponseGroup by)
{
    switch (by) {
    case TResponseGroup::Position:
        return {QStringLiteral("CallArea"), QStringLiteral("CallDesktop"), 1527, 1528, 3105, TCellKind::Text};
    case TResponseGroup::Hour:
        return {QStringLiteral("cast(substr(CallTime, 1, 2) as integer)"), QStringLiteral("null"), 3111, 3112, 3106,
                TCellKind::Integer};
    case TResponseGroup::Staff:
        break;
    }
    return {QStringLiteral("UserNumber"), QStringLiteral("ServerPersonnel"), 1522, 1523, 3104, TCellKind::Text};
}

// Service times of one group: how many calls took each number of seconds.
using THistogram = std::map<qint64, qint64>;

struct TGroup {
    QVariant Site, Key1, Key2;
    THistogram Times;
};

// Count, mean, median, 90th percentile and longest time of a histogram, as grid cells.
std::vector<QVariant> Figures(const THistogram& h)
{
    qint64 n = 0, sum = 0;
    for (const auto& [seconds, count] : h) {
        n += count;
        sum += seconds * count;
    }
    if (n == 0)
        return {qint64(0), QVariant(), QVariant(), QVariant(), QVariant()};
    // Nearest rank: the smallest time that at least that share of the calls did not exceed.
    const auto atShare = [&](int percent) {
        const qint64 rank = (n * percent + 99) / 100;
        qint64 seen = 0;
        for (const auto& [seconds, count] : h) {
            seen += count;
            if (seen >= rank)
                return seconds;
        }
        return h.rbegin()->first;
    };
    return {n, (2 * sum + n) / (2 * n), atShare(50), atShare(90), h.rbegin()->first};
}

}  // namespace

bool RunResponseReport(const TRunStatement& run, const TReportRequest& request, const QString& leadTitle,
                       TStatReport& out, QString* error, const TCancelFlag& cancel)
{
    const TGroupBy by = GroupBy(request.By);
    const int lead = leadTitle.isEmpty() ? 0 : 1;
    // Groups in key order (the site first); the hour sorts as a number.
    std::map<std::tuple<QString, QString, QString>, TGroup> groups;
    THistogram all;
    TStatementRows rows;
    // A piece at a time, from one day with calls to the next: a range of centuries costs
    // no more statements than the days of the log it covers.
    for (QDate first = request.From; first.isValid() && first <= request.To;) {
        if (cancel && *cancel)
            return false;
        if (!run({QStringLiteral("select min(CallDate) D from CallInfo where CallDate>=? and CallDate<=?"),
                  {StoredDate(first), StoredDate(request.To)}},
                 rows, error))
            return false;
        if (rows.empty() || rows[0][0].isNull())
            break;
        const QDate found = QDate::fromString(rows[0][0].toString(), IsoDateFormat);
        const QDate from = found.isValid() ? found : first;  // a date not stored as ours: a day at a time
        const QDate to = std::min(request.To, from.addDays(DaysPerPiece - 1));
        first = to.addDays(1);
        if (!run({QStringLiteral("select %1 K1, %2 K2, ServerTime T, count(*) N from CallInfo "
                                 "where ServerState=0 and ServerTime is not null and CallDate>=? and CallDate<=? "
                                 "group by K1, K2, T")
                      .arg(by.Key1, by.Key2),
                  {StoredDate(from), StoredDate(to)}},
                 rows, error))
            return false;
        for (const std::vector<QVariant>& row : rows) {
            const QVariant site = lead ? row[0] : QVariant();
            const QVariant k1 = row[lead], k2 = row[lead + 1];
            const QString sort1 = by.Kind1 == TCellKind::Integer ? QStringLiteral("%1").arg(k1.toInt(), 2, 10, QLatin1Char('0'))
                                                                 : k1.toString();
            TGroup& g = groups[{site.toString(), sort1, k2.toString()}];
            g.Site = site;
            g.Key1 = k1.isNull() ? QVariant() : (by.Kind1 == TCellKind::Integer ? QVariant(k1.toLongLong()) : QVariant(k1.toString()));
            g.Key2 = request.By == TResponseGroup::Hour
                         ? QVariant(QStringLiteral("%1:00~%1:59").arg(k1.toInt(), 2, 10, QLatin1Char('0')))
                         : (k2.isNull() ? QVariant() : QVariant(k2.toString()));
            const qint64 seconds = row[lead + 2].toLongLong();
            const qint64 count = row[lead + 3].toLongLong();
            g.Times[seconds] += count;
            all[seconds] += count;
        }
    }

    TStatReport report;
    report.Caption = LoadResStr(by.Caption);
    report.Period = request.From.toString(request.DateFormat) + QStringLiteral("  ~  ") + request.To.toString(request.DateFormat);
    report.Grid.Kinds = {by.Kind1, TCellKind::Text, TCellKind::Integer, TCellKind::Duration, TCellKind::Duration,
                         TCellKind::Duration, TCellKind::Duration};
    report.Grid.Rows.push_back({LoadResStr(by.Title1), LoadResStr(by.Title2), LoadResStr(1530), LoadResStr(3107),
                                LoadResStr(3108), LoadResStr(3109), LoadResStr(3110)});
    if (lead) {
        report.Grid.Kinds.insert(report.Grid.Kinds.begin(), TCellKind::Text);
        report.Grid.Rows[0].insert(report.Grid.Rows[0].begin(), leadTitle);
    }
    const auto addRow = [&](const QVariant& site, const QVariant& k1, const QVariant& k2, const THistogram& h) {
        std::vector<QVariant> row = {k1, k2};
        if (lead)
            row.insert(row.begin(), site);
        for (const QVariant& v : Figures(h))
            row.push_back(v);
        report.Grid.Rows.push_back(std::move(row));
    };
    for (const auto& [sortKey, g] : groups)
        addRow(g.Site, g.Key1, g.Key2, g.Times);
    addRow(QString(), QString(), LoadResStr(1529), all);
    report.DateFormat = request.DateFormat;
    out = std::move(report);
    return true;
}
