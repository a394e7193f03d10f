#include "reports/HistoryQuery.h"
#include "core/DateFormats.h"

QString StoredDate(const QDate& date)
{
    return date.toString(IsoDateFormat);
}

THistoryQuery DefaultHistoryQuery(const QDate& today)
{
    THistoryQuery q;
    q.SDate = QDate(today.year(), 1, 1);
    q.EDate = today;
    q.EDateIsToday = true;
    return q;
}

TStatement HistoryWhere(const THistoryQuery& q)
{
    TStatement w{QStringLiteral("CallDate>=? and CallDate<=?"), {StoredDate(q.SDate), StoredDate(q.EDate)}};
    const auto add = [&w](const char* condition, const QVariant& value) {
        w.Sql += QLatin1String(condition);
        w.Values << value;
    };
    // A position names a point of one area: without the area it sets nothing.
    if (!q.Area.isEmpty()) {
        add(" and CallArea=?", q.Area);
        if (!q.Desktop.isEmpty())
            add(" and CallDesktop=?", q.Desktop);
    }
    if (!q.SvrType.isEmpty())
        add(" and CallType=?", q.SvrType);
    // Blanks only mean "anyone"; otherwise the name is matched as typed, blanks included.
    if (!q.SvrPersonnel.trimmed().isEmpty())
        add(" and ServerPersonnel=?", q.SvrPersonnel);
    if (q.SvrState != 0)
        add(" and ServerState=?", q.SvrState - 1);
    if (!q.ProcPersonnel.trimmed().isEmpty())
        add(" and ProcPersonnel=?", q.ProcPersonnel);
    if (q.SvrTimeOn) {
        add(" and ServerTime>=?", q.SSvrTime);
        add(" and ServerTime<=?", q.ESvrTime);
    }
    return w;
}
