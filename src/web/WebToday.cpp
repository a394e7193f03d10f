// Today's figures: the today report of the staff and the response-time report by staff, over
// the calls logged today, joined per staff member.
#include "web/WebData.h"

#include "core/DataStore.h"
#include "core/DateFormats.h"
#include "core/ResStrings.h"
#include "reports/ReportsTexts.h"
#include "reports/StatReports.h"
#include "web/WebTable.h"

#include <QJsonArray>
#include <QJsonObject>
#include <map>

namespace {

// Columns of the staff report (number, name, calls, time-outs, rate) and of the
// response-time report (number, name, answered, mean, median, 90th percentile, longest).
enum { Number, Name, Calls, TimeOuts, Rate };
enum { Answered = 2, Mean, Median, P90, Longest };

QJsonValue Cell(const TStatGrid& grid, const std::vector<QVariant>& row, int column)
{
    return JsonCell(grid.Kinds[static_cast<size_t>(column)], row[static_cast<size_t>(column)]);
}

}  // namespace

TWebReply TodayReply(const QString& dataDir, const QDate& today, int liveCalls)
{
    TReportRequest counted;
    counted.Kind = TReportKind::StaffToday;
    counted.Today = today;
    TReportRequest timed = counted;
    timed.Kind = TReportKind::Response;
    timed.By = TResponseGroup::Staff;
    timed.From = timed.To = today;

    TDM_Sys store;
    TStatReport counts, times;
    QString error;
    if (!store.Open(dataDir, &error) || !RunReport(store, counted, counts, &error)
        || !RunReport(store, timed, times, &error))
        return ErrorReply(500, LoadResStr(TxtReportsStatisticsFailed).arg(error));

    // Both reports end with their totals row and key their groups by number and name.
    const TStatGrid& c = counts.Grid;
    const TStatGrid& t = times.Grid;
    std::map<std::pair<QString, QString>, const std::vector<QVariant>*> timesOf;
    for (int g = 1; g <= t.GroupCount(); ++g)
        timesOf[{t.Rows[g][Number].toString(), t.Rows[g][Name].toString()}] = &t.Rows[g];

    QJsonArray staff;
    for (int g = 1; g <= c.GroupCount(); ++g) {
        const std::vector<QVariant>& row = c.Rows[g];
        QJsonObject member{{QStringLiteral("number"), Cell(c, row, Number)},
                           {QStringLiteral("name"), Cell(c, row, Name)},
                           {QStringLiteral("calls"), Cell(c, row, Calls)},
                           {QStringLiteral("timedout"), Cell(c, row, TimeOuts)},
                           {QStringLiteral("rate"), Cell(c, row, Rate)},
                           {QStringLiteral("mean"), QJsonValue::Null},
                           {QStringLiteral("p90"), QJsonValue::Null}};
        const auto it = timesOf.find({row[Number].toString(), row[Name].toString()});
        if (it != timesOf.end()) {
            member[QStringLiteral("mean")] = Cell(t, *it->second, Mean);
            member[QStringLiteral("p90")] = Cell(t, *it->second, P90);
        }
        staff.append(member);
    }

    const std::vector<QVariant>& total = c.Rows.back();
    const std::vector<QVariant>& allTimes = t.Rows.back();
    return JsonReply(QJsonDocument(QJsonObject{
        {QStringLiteral("date"), today.toString(IsoDateFormat)},
        {QStringLiteral("calls"), Cell(c, total, Calls)},
        {QStringLiteral("answered"), c.Number(c.RowCount() - 1, Calls) - c.Number(c.RowCount() - 1, TimeOuts)},
        {QStringLiteral("timedout"), Cell(c, total, TimeOuts)},
        {QStringLiteral("rate"), Cell(c, total, Rate)},
        {QStringLiteral("live"), liveCalls},
        {QStringLiteral("response"), QJsonObject{{QStringLiteral("mean"), Cell(t, allTimes, Mean)},
                                                 {QStringLiteral("median"), Cell(t, allTimes, Median)},
                                                 {QStringLiteral("p90"), Cell(t, allTimes, P90)},
                                                 {QStringLiteral("max"), Cell(t, allTimes, Longest)}}},
        {QStringLiteral("staff"), staff},
    }));
}
