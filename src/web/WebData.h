#pragma once
// The web API's answers from stored data: today's figures, the floor plans, history and reports.
// Each call opens what it reads on the calling thread (the server's threads), so any thread may call.
#include "web/WebReply.h"

#include <QDate>
#include <QString>
#include <QUrlQuery>
#include <cstdint>

// GET /api/today: the figures over the calls logged today; liveCalls is the number of live calls.
TWebReply TodayReply(const QString& dataDir, const QDate& today, int liveCalls);
// GET /api/layouts: every floor plan with its points.
TWebReply LayoutsReply(const QString& dataDir);
// GET /api/history?...: needs the history permission in popedom.
TWebReply HistoryReply(const QString& dataDir, const QUrlQuery& query, int32_t popedom, const QDate& today);
// GET /api/report/{kind}?...: needs the statistics permission in popedom.
TWebReply ReportReply(const QString& dataDir, const QString& kind, const QUrlQuery& query, int32_t popedom,
                      const QDate& today);
