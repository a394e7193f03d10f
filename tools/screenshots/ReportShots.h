#pragma once
// The history and statistics windows over the generated calls of the store.
#include <QString>

class TDM_Sys;
struct TEnvironment;
struct TLayOutTree;

bool SaveReportShots(const QString& out, TDM_Sys& store, const TLayOutTree& tree, const TEnvironment& env);
