#include "reports/HistoryExport.h"

#include "reports/HistoryColumns.h"
#include "reports/HistoryQuery.h"
#include "reports/HistoryReader.h"
#include "reports/TableSink.h"

namespace {

// Rows per statement: reading them holds the call log for about a millisecond.
constexpr int ExportPiece = 200;

}  // namespace

TTableLayout HistoryLayout(const THistoryQuery& query, const QString& dateFormat, const QString& sheetName)
{
    const QString period = query.SDate.toString(dateFormat) + QStringLiteral(" ~ ") + query.EDate.toString(dateFormat);
    TTableLayout layout{sheetName, HistoryTitles(), {}, {}, {sheetName, period}};
    for (const THistoryColumn& c : HistoryColumns()) {
        layout.Kinds.push_back(c.Kind);
        layout.Widths.push_back(c.Width);
    }
    return layout;
}

TExportResult WriteHistory(TDM_Sys& store, const THistoryQuery& query, const TStateTexts& texts,
                           const QString& dateFormat, ITableSink& sink, const QString& sheetName, const std::function<bool(int)>& onPiece, QString* error)
{
    const TTableLayout layout = HistoryLayout(query, dateFormat, sheetName);
    THistoryReader reader(store, query);
    std::vector<THistoryRow> rows;
    bool written = sink.Begin(layout);
    int count = 0;
    THistoryKey after;
    while (written) {
        if (!reader.Rows(count > 0 ? &after : nullptr, false, ExportPiece, rows, error))
            return TExportResult::ReadFailed;   // no Finish: a partial file would look complete
        for (const THistoryRow& row : rows)
            written = written && sink.Row(HistoryCells(row.Stored, texts));
        count += static_cast<int>(rows.size());
        if (onPiece && !onPiece(count))
            return TExportResult::Cancelled;
        if (rows.size() < ExportPiece)
            break;
        after = rows.back().Key;
    }
    // Finish also reports a failed Begin or Row, with its own reason, and then writes nothing.
    return sink.Finish(error) && written ? TExportResult::Done : TExportResult::WriteFailed;
}
