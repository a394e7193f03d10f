#pragma once
// Writing a whole history result to a table sink, in pieces, so that neither
// memory nor the call log's lock grows with the result.
#include <QString>
#include <functional>

class ITableSink;
class TDM_Sys;
struct THistoryQuery;
struct TStateTexts;

struct TTableLayout;

enum class TExportResult { Done, Cancelled, ReadFailed, WriteFailed };

// The history's table: the sheet, its heading (sheetName and the period of the conditions, its
// dates in dateFormat) and the ten columns.
TTableLayout HistoryLayout(const THistoryQuery& query, const QString& dateFormat, const QString& sheetName);

// A spreadsheet's heading (the sheet name and the period of the conditions), the
// history's ten titles, then one row per record. After each piece,
// onPiece(rows written so far) may return false to cancel: the sink then gets
// no Finish, so no file is left behind. A failure carries its reason in error. dateFormat
// shows the period's dates.
TExportResult WriteHistory(TDM_Sys& store, const THistoryQuery& query, const TStateTexts& texts,
                           const QString& dateFormat, ITableSink& sink, const QString& sheetName, const std::function<bool(int rows)>& onPiece, QString* error);
