#pragma once
// Where an exported table goes: a spreadsheet with typed cells or CSV text.
// A table is a title row, then rows of typed cells (see Cells.h). A sink that
// is dropped before Finish leaves no file behind and the target untouched.
#include "reports/Cells.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QIODevice;

struct TTableLayout {
    QString SheetName;               // spreadsheets only
    QStringList Titles;              // the first row
    std::vector<TCellKind> Kinds;    // per column
    std::vector<int> Widths;         // spreadsheets: column widths in pixels; empty: default
    // Spreadsheets only: lines above the titles (the report and its period), one a row.
    // CSV leaves them out, so that its first line stays the titles programs look for.
    QStringList Heading;
};

class ITableSink {
public:
    virtual ~ITableSink() = default;
    virtual bool Begin(const TTableLayout& layout) = 0;
    // The cells in column order; a null value is an empty cell.
    virtual bool Row(const std::vector<QVariant>& cells) = 0;
    // Completes the file; false with the reason when it could not be written.
    virtual bool Finish(QString* error) = 0;
};

// A sheet name as the spreadsheet takes it: cut to its first 31 GBK bytes when
// it is longer than 30, characters a sheet name may not hold replaced by blanks.
QString SheetName(const QString& caption);

// The file a chosen export name becomes: ".xls" (which the station cannot
// write) and a missing suffix become ".xlsx".
QString SpreadsheetPath(const QString& chosen);

// The rows a sheet holds, the last of them included.
constexpr int XlsxSheetRows = 1048576;

// An .xlsx file at path (written beside it first, put in place by Finish).
// Dates in dateFormat (Qt's letters), times hh:mm:ss, durations [hh]:mm:ss,
// rates with two decimals, counts as numbers. Heading and titles are bold and
// stay in view while scrolling. Rows beyond a sheet's sheetRows continue on
// another sheet ("name（续 2）") under the same heading and titles.
std::unique_ptr<ITableSink> NewXlsxSink(const QString& path, const QString& dateFormat, int sheetRows = XlsxSheetRows);
// CSV (UTF-8, RFC 4180 quoting, CRLF line ends) of the cell texts, dates as yyyy-MM-dd:
// to a file (put in place by Finish), or to a device that stays open (standard output).
std::unique_ptr<ITableSink> NewCsvFileSink(const QString& path);
std::unique_ptr<ITableSink> NewCsvStreamSink(QIODevice& device);
// By the suffix of path: .csv, else .xlsx; nullptr for a suffix that is neither.
std::unique_ptr<ITableSink> NewFileSink(const QString& path, const QString& dateFormat);

// One CSV field: quoted when it holds a comma, a quote or a line break, inner quotes doubled.
QString CsvField(const QString& text);

// Writes a whole table to sink: layout, every row, Finish.
bool WriteTable(ITableSink& sink, const TTableLayout& layout, const std::vector<std::vector<QVariant>>& rows,
                QString* error);
