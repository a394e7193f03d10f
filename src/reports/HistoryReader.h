#pragma once
// Reads the history result in pieces, in a fixed order (call date, then the
// order the rows were written), each piece starting at a key. No piece holds
// the call log for long, so the call log can go on writing in between, and no
// more than a piece is ever in memory.
#include "reports/HistoryQuery.h"

#include <QString>
#include <QVariant>
#include <vector>

class QSqlQuery;
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

    // Up to limit rows in result order, skipping the first skip of them: from the
    // first row when from is null, else from the row at from (inclusive) or after it.
    bool Rows(const THistoryKey* from, bool inclusive, int limit, std::vector<THistoryRow>& rows,
              QString* error = nullptr, int skip = 0);
    // The key of the row skip rows on from the row at from (or from the first row
    // when from is null); found false when the result ends before it. Rows skipped
    // are counted by the engine, never read.
    bool KeyAt(const THistoryKey* from, int skip, THistoryKey& key, bool& found, QString* error = nullptr);
    // How many rows there are from the row at from on, at most limit.
    bool CountFrom(const THistoryKey* from, int limit, int& count, QString* error = nullptr);

private:
    // Runs "select columns ... order by ... limit ? offset ?", placed into outer's %1 when given.
    bool Run(QSqlQuery& q, const QString& columns, const THistoryKey* from, bool inclusive, int limit, int skip,
             QString* error, const QString& outer = QString());

    TDM_Sys& store_;
    THistoryQuery query_;
};
