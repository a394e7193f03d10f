#pragma once
// A call as the central server keeps it, and its id there. The id is made from the call itself: a
// hash of its CallInfo columns as stored and of its ordinal among identical rows of the log (0 for
// the first). So a call has the same id whether it arrives by live shipping or by a backfill of the
// log, and no new call of the site can ever take the id of another (CallInfo's row numbers come back
// after a cleanup, a restore or a reinstall; calls' contents do not).
#include <QString>
#include <QVariantList>
#include <cstdint>
#include <vector>

class TPgLink;

// stored: the columns of TCallOutbox::Columns, as SQLite gives them back.
qint64 CentralCallId(const QVariantList& stored, int ordinal);

struct TCentralCall {
    QVariantList Stored;
    int Ordinal = 0;
};

// Inserts the calls into calls for site in one statement; calls the server has already are left as
// they are. added: how many were new.
bool InsertCentralCalls(TPgLink& link, const QString& site, const std::vector<TCentralCall>& calls, int timeoutMs,
                        qint64* added, QString* error = nullptr);
