#include "reports/HistoryColumns.h"

#include "core/Config.h"
#include "core/CoreTexts.h"
#include "core/ResStrings.h"

#include <QStringList>

const std::array<THistoryColumn, HistoryColumnCount>& HistoryColumns()
{
    static const std::array<THistoryColumn, HistoryColumnCount> columns = {{
        {"CallDate", TxtColumnCallDate, 80, false, TCellKind::Date},
        {"CallTime", TxtColumnCallTime, 80, false, TCellKind::Time},
        {"CallArea", TxtColumnCallArea, 100, false, TCellKind::Text},
        {"CallDesktop", TxtColumnCallPosition, 100, false, TCellKind::Text},
        {"CallType", TxtColumnServiceType, 80, false, TCellKind::Text},
        {"ServerPersonnel", TxtColumnServer, 100, false, TCellKind::Text},
        {"ServerTime", TxtColumnServiceTime, 80, true, TCellKind::Duration},
        {"ServerState", TxtColumnServiceState, 80, true, TCellKind::Text},
        {"ProcTime", TxtColumnHandledTime, 80, false, TCellKind::Time},
        {"ProcPersonnel", TxtColumnHandler, 100, false, TCellKind::Text},
    }};
    return columns;
}

QString HistoryFieldList()
{
    QStringList fields;
    for (const THistoryColumn& c : HistoryColumns())
        fields << QLatin1String(c.Field);
    return fields.join(QStringLiteral(", "));
}

QStringList HistoryTitles()
{
    QStringList titles;
    for (const THistoryColumn& c : HistoryColumns())
        titles << LoadResStr(c.TitleId);
    return titles;
}

std::vector<QVariant> HistoryCells(const std::vector<QVariant>& stored, const TStateTexts& texts)
{
    std::vector<QVariant> cells(HistoryColumnCount);
    for (int c = 0; c < HistoryColumnCount && c < static_cast<int>(stored.size()); ++c) {
        const QVariant& v = stored[c];
        if (v.isNull())
            continue;
        const THistoryColumn& column = HistoryColumns()[c];
        if (qstrcmp(column.Field, "ServerState") == 0)
            cells[c] = v.toInt() == 0 ? texts.SuccessSvrText : texts.PreWarn3SvrText;
        else if (column.Kind == TCellKind::Date)
            cells[c] = DateCell(v);
        else if (column.Kind == TCellKind::Time)
            cells[c] = TimeCell(v);
        else if (column.Kind == TCellKind::Duration)
            cells[c] = v.toLongLong();
        else
            cells[c] = v.toString();
    }
    return cells;
}
