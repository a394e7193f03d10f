#pragma once
// Pass-rate reports over the call log: calls, time-outs and the share answered
// in time, per group of a grouping statement.
#include "reports/StatGrid.h"
#include "reports/Statement.h"

#include <QString>

// The time-outs statement of a report: its calls statement with "ServerState=1 and "
// right after "where ". The bound values stay as they are.
TStatement TimeOutsStatement(const TStatement& calls);

// Runs a report into grid, whose row 0 (titles) and key kinds the caller has set:
// the calls statement yields the group's keys (F1, F2, or a site before them), then Total,
// per group; the time-outs statement the same for time-outs only. Groups in the calls statement's order, each given the
// time-outs of the group with the same keys (exact text), then rates and a totals
// row "合计" (in the last key column). Without calls the grid holds only the titles and
// the totals row (0, 0, 0.00). False with the reason when a statement fails.
bool StartStatistics(const TRunStatement& run, const TStatement& calls, const TStatement& timeOuts, TStatGrid& grid,
                     QString* error = nullptr);
