#pragma once
// Reads back an .xlsx file as a spreadsheet program would see it: the first
// sheet's name, and each cell's type, value and number format.
#include <QString>
#include <QStringList>
#include <map>

struct XlsxCell {
    QString type;     // "n" number, "s"/"inlineStr"/"str" text
    QString value;    // the stored value (a number as written, or the text)
    QString format;   // the number format code; empty for the general format
    bool bold = false;
};

struct XlsxContent {
    QString sheetName;
    QStringList sheetNames;              // every sheet of the workbook, in order
    int frozenRows = 0;                  // rows that stay in view while scrolling
    std::map<QString, XlsxCell> cells;   // by reference: "A1", "B2", ...
    int rows = 0;                        // the highest row holding a cell
    QString error;                       // empty when the file could be read

    const XlsxCell* at(const QString& ref) const
    {
        const auto it = cells.find(ref);
        return it == cells.end() ? nullptr : &it->second;
    }
};

// sheet: 1 for the first sheet.
XlsxContent ReadXlsx(const QString& path, int sheet = 1);
