#pragma once
// Fills the chain's central database with the calls of many restaurants, for measuring the
// reports across sites: the tables made by the station's own central init, each call under
// the id live shipping would give it, everything in one COPY (all or nothing).
#include "CallLogGenerator.h"

#include <QDate>
#include <QString>

struct TCentralFillPlan {
    QString Connect;          // libpq connection string
    int Sites = 20;           // named site01, site02, ...
    qint64 Calls = 10000000;  // over all sites, shared evenly
    int Days = 365;           // each site's calls spread evenly over this many days from First
    QDate First;
    quint32 Seed = 1;
};

// The name of the n-th site (from 1), and the plan of its calls.
QString FillSiteName(int n);
TCallLogPlan FillSitePlan(const TCentralFillPlan& plan, int n);

bool FillCentral(const TCentralFillPlan& plan, QString* error = nullptr);
