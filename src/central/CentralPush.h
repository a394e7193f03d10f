#pragma once
// The backfill: every call of the data directory's CallInfo.db sent to the central server once, with
// the ids live shipping gives them, so calls already there (shipped live or pushed before) are kept
// as they are and only the missing ones are added.
#include <QString>

class TPgLink;

struct TPushCount {
    qint64 Sent = 0;   // rows of the log
    qint64 Added = 0;  // of them, new to the server
};

bool PushCallLog(const QString& dataDir, TPgLink& link, const QString& site, int batchRows, int timeoutMs,
                 TPushCount& count, QString* error = nullptr);
