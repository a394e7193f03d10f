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

// The history and the reports take the conditions of the history and report commands, by the
// same names, but service for the history's service-time and server for a report's staff;
// format=json|csv|xlsx. query: the address's query text as sent (percent-encoded, "+" for a
// blank, as a form sends it). JSON is an array of objects keyed by the CSV's titles; CSV and xlsx
// are what the commands write. dateFormat: how spreadsheets show dates (the station's).
// 400 for a bad or unknown condition, with the command's message.
// central=1 answers from the chain's central server of [Central] Connect= in configPath (400
// when there is none), across every site or the sites named by site= (repeatable), as the
// commands' --central and --site do.

// GET /api/history?...: needs the history permission in popedom. configPath: Config.ini,
// for the texts of the states.
TWebReply HistoryReply(const QString& dataDir, const QString& configPath, const QString& dateFormat,
                       const QUrlQuery& query, int32_t popedom, const QDate& today);
// GET /api/report/{kind}?...: needs the statistics permission in popedom; 404 for a kind
// that is none of staff, position, monthly, yearly, response, sites (sites: with central=1 only).
TWebReply ReportReply(const QString& dataDir, const QString& configPath, const QString& dateFormat, const QString& kind,
                      const QUrlQuery& query, int32_t popedom, const QDate& today);
