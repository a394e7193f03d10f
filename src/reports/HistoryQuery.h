#pragma once
// The history conditions, one record for the whole run, kept by whoever opens the
// history window: each opening of the conditions dialog starts from what was used last.
#include "reports/Statement.h"

#include <QDate>
#include <QString>
#include <cstdint>

struct THistoryQuery {
    QDate SDate;              // first call date
    QDate EDate;              // last call date
    bool EDateIsToday = false;  // the end date was left at today: the dialog shows the day it opens on
    QString Area;             // layout name; empty: all
    QString Desktop;          // call point name; empty: all (only with an area)
    QString SvrType;          // service type name; empty: all
    QString SvrPersonnel;     // server as typed; blanks only: all
    uint8_t SvrState = 0;     // 0 all, 1 answered (ServerState 0), 2 timed out (ServerState 1)
    QString ProcPersonnel;    // processing person as typed; blanks only: all
    bool SvrTimeOn = false;   // the service-time range applies
    int SSvrTime = 0;         // lowest service time, seconds
    int ESvrTime = 3600;      // highest service time, seconds

    friend bool operator==(const THistoryQuery&, const THistoryQuery&) = default;
};

// The conditions as the station starts with them: this year up to today (whichever
// day the dialog opens on), nothing else.
THistoryQuery DefaultHistoryQuery(const QDate& today);

// The conditions as a where clause (without the word) with bound values. Texts
// are compared exactly as typed; service-time bounds are inclusive.
TStatement HistoryWhere(const THistoryQuery& q);
