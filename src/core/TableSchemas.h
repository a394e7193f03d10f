#pragma once
// The columns of the station's tables in their stored order (rows of some
// tables are written by position), and the statements that create them.
#include <QString>
#include <vector>

struct TColumnDef {
    QString Name;
    QString Type;   // INTEGER or TEXT; dates, times and booleans are TEXT, TEXT and INTEGER
};

struct TTableSchema {
    QString Name;                      // table, attached schema and file base name
    std::vector<TColumnDef> Columns;   // in stored order
    QString IndexColumn;               // empty: no index
};

const std::vector<TTableSchema>& TableSchemas();

// The schema of a table named ignoring case; nullptr when the station has no such table.
const TTableSchema* FindTableSchema(const QString& table);

// Statements for the table inside its attached schema; they leave an existing table alone.
QString CreateTableStatement(const TTableSchema& table);
QString CreateIndexStatement(const TTableSchema& table);   // empty when the table has no index

// name in double quotes, inner double quotes doubled.
QString QuotedIdentifier(const QString& name);
