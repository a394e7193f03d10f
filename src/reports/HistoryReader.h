#pragma once
// Reads the history result in pieces, in a fixed order (call date, then the
// order the rows were written), each piece starting after a key. No piece
// holds the table for long, so the call log can go on writing in between, and
// no more than a piece is ever in memory.
#include "reports/HistoryQuery.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <vector>

class TDM_Sys;

// Where a row stands in the result order.
struct THistoryKey {
    QString Date;
    qint64 RowId = 0;
    friend bool operator==(const THistoryKey&, const THistoryKey&) = default;
};

struct THistoryRow {
    THistoryKey Key;
    std::vector<QVariant> Stored;  // the history fields in column order, as stored
};

class THistoryReader {
public:
    THistoryReader(TDM_Sys& store, const THistoryQuery& query);

    // Up to limit rows in result order: from the first row when from is null,
    // else from the row at from (inclusive) or after it.
    bool Rows(const THistoryKey* from, bool inclusive, int limit, std::vector<THistoryRow>& rows,
              QString* error = nullptr);
    // The same, keys only: cheap when only dates are set (the date index holds them).
    bool Keys(const THistoryKey* after, int limit, std::vector<THistoryKey>& keys, QString* error = nullptr);

private:
    bool Run(QSqlQuery& q, const QString& columns, const THistoryKey* from, bool inclusive, int limit,
             QString* error);

    TDM_Sys& store_;
    TStatement where_;
};
