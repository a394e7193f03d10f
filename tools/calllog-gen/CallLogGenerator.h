#pragma once
// A call log of a busy restaurant, generated for benchmarks, load measurements
// and screenshots: calls spread over the opening hours of every day of a
// period, answered by the waiters of the tables or timed out.
#include "calls/CallJournal.h"

#include <QDate>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QVariantList>

class TDM_Sys;

struct TCallLogPlan {
    QDate First;            // first call date
    int Days = 730;         // calls are spread evenly over this many days
    qint64 Rows = 1000000;
    quint32 Seed = 1;
    // Rows of days before this date leave UserNumber null, as logs written
    // before staff numbers were logged.
    QDate NumbersFrom;
    int Restaurant = 0;     // which of a chain's restaurants (see TCallMaker)
};

// The calls of one restaurant. Restaurants of a chain differ in their number of tables, their
// waiters, how quickly they answer and how many calls go unanswered; restaurant 0 is the one
// of a single station's log.
class TCallMaker {
public:
    TCallMaker(quint32 seed, int restaurant = 0);
    // A call of date, logged with a staff number or not.
    TCallLogRow Next(const QDate& date, bool numbered);

private:
    QRandomGenerator random_;
    int tables_ = 40;
    int missedPercent_ = 8;
    int slowestSeconds_ = 115;  // of an ordinary answer, beyond the first 5
    QStringList waiters_;
};

// The row's CallInfo columns as the log stores them, in TCallOutbox::Columns' order.
QVariantList StoredColumns(const TCallLogRow& row);

// Appends the rows to CallInfo in one transaction; false with the reason.
bool GenerateCallLog(TDM_Sys& store, const TCallLogPlan& plan, QString* error = nullptr);

// Logs the rows into dataDir as the station does when the chain's central server is configured:
// through the call journal into CallInfo and, in the same transactions, into the outbox of calls
// waiting to be shipped. CallInfo.db must exist.
bool LogCallsForShipping(const QString& dataDir, const TCallLogPlan& plan, QString* error = nullptr);

// The date of the i-th of plan's rows.
inline QDate CallDateOf(const TCallLogPlan& plan, qint64 i) { return plan.First.addDays(i * plan.Days / plan.Rows); }
