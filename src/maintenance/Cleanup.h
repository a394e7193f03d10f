#pragma once
// Cleanup of the call log: every call up to and including a day goes.
#include "maintenance/JobProgress.h"

#include <QDate>
#include <QString>

class TDM_Sys;

// How many calls of the log are dated on or before day; -1 when the log cannot be read.
int CountCallsThrough(TDM_Sys& store, const QDate& day, QString* why = nullptr);
// Deletes every call dated on or before day, all in one transaction: a failure or a
// cancel deletes none. It takes no DataMutex: the window thread's duty lookups go on
// meanwhile, and the call log waits for the file as it waits for any writer.
bool DeleteCallsThrough(TDM_Sys& store, const QDate& day, QString* why = nullptr, const TJobProgress& progress = {});
