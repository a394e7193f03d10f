#pragma once
// A table (history rows, a report's grid) as the web API gives it: JSON objects keyed by
// the column titles, or the very CSV or spreadsheet the commands write.
#include "web/WebReply.h"

#include <QString>
#include <QUrlQuery>
#include <functional>
#include <optional>

#include "reports/Cells.h"

#include <QJsonValue>

class ITableSink;

enum class TWebFormat { Json, Csv, Xlsx };

// A cell as JSON: counts and seconds as numbers, rates as numbers with two decimals, dates
// and times in their fixed formats, null for an empty cell; a value that does not fit its
// kind stays its stored text.
QJsonValue JsonCell(TCellKind kind, const QVariant& value);

// format=json|csv|xlsx (json when not given); the one-line complaint for another value.
std::optional<TWebFormat> WebFormat(const QUrlQuery& query, QString* error);

// Writes the table through write into the format asked for. A failure of write is a 500
// with failedText's "%1" filled by the reason. fileName: the download's name, without suffix.
// dateFormat: how the spreadsheet shows dates.
TWebReply TableReply(TWebFormat format, const QString& fileName, const QString& dateFormat,
                     const QString& failedText, const std::function<bool(ITableSink& sink, QString* error)>& write);
