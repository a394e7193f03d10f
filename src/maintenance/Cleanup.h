#pragma once
// Cleanup of the call log: every call up to and including a day goes.
#include <QDate>
#include <QString>

class TDM_Sys;

// How many calls of the log are dated on or before day; -1 when the log cannot be read.
int CountCallsThrough(TDM_Sys& store, const QDate& day, QString* why = nullptr);
// Deletes every call dated on or before day in one statement under DataMutex.
bool DeleteCallsThrough(TDM_Sys& store, const QDate& day, QString* why = nullptr);
