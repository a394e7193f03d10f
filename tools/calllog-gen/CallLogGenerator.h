#pragma once
// A call log of a busy restaurant, generated for benchmarks, load measurements
// and screenshots: calls spread over the opening hours of every day of a
// period, answered by the waiters of the tables or timed out.
#include <QDate>
#include <QString>

class TDM_Sys;

struct TCallLogPlan {
    QDate First;            // first call date
    int Days = 730;         // calls are spread evenly over this many days
    qint64 Rows = 1000000;
    quint32 Seed = 1;
    // Rows of days before this date leave UserNumber null, as logs written
    // before staff numbers were logged.
    QDate NumbersFrom;
};

// Appends the rows to CallInfo in one transaction; false with the reason.
bool GenerateCallLog(TDM_Sys& store, const TCallLogPlan& plan, QString* error = nullptr);
