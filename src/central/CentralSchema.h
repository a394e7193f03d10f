#pragma once
// The central database's tables: calls (every site's calls, one row per call, keyed by site and the
// call's id) and sites (each station's last report). Made or brought up to date in one transaction
// under an advisory lock, so that stations starting together and a repeated init are harmless.
#include <QString>

class TPgLink;

// The version the tables are brought to; schema_version holds the one they are at.
constexpr int CentralSchemaVersion = 1;

bool InitCentralSchema(TPgLink& link, int timeoutMs, QString* error = nullptr);
