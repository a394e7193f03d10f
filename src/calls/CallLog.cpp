#include "calls/CallLog.h"

#include "calls/CallRecord.h"
#include "core/Clock.h"
#include "core/DataStore.h"

#include <QMutexLocker>
#include <cstdlib>

namespace {

// A null text would be stored as NULL; the log keeps empty texts as empty
// and reserves NULL for the columns a not-served call has no value for.
QString Text(const QString& s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

// The columns both kinds of row share, in statement order.
void BindCall(TQuery& q, const TCallRecord& rec, const TConfig& cfg)
{
    q.Bind(rec.CallDate);
    q.Bind(rec.CallTime);
    q.Bind(Text(rec.CallArea));
    q.Bind(Text(rec.CallDesktop));
    q.Bind(Text(ServiceTypeText(cfg, rec.Key)));
    q.Bind(Text(rec.ServerPersonnel));
}

}  // namespace

int ServiceDuration(const QTime& callTime, const QTime& cancelTime)
{
    return std::abs(callTime.secsTo(cancelTime));
}

bool TCallLog::LogServedCall(const TCallRecord& rec, const QString& server, const QTime& cancelTime)
{
    QMutexLocker lock(&DataMutex);
    TQuery& q = store_.DQ_Call;
    q.SetSQL(QStringLiteral(
        "insert into CallInfo (CallDate, CallTime, CallArea, CallDesktop, CallType, ServerPersonnel, "
        "ProcTime, ProcPersonnel, ServerTime, ServerState) values(?, ?, ?, ?, ?, ?, ?, ?, ?, 0)"));
    BindCall(q, rec, cfg_);
    q.Bind(cancelTime);
    q.Bind(Text(server));
    q.Bind(ServiceDuration(rec.CallTime, cancelTime));
    if (!q.ExecSQL()) {
        error_ = q.LastError();
        return false;
    }
    return true;
}

bool TCallLog::LogUnservedCall(const TCallRecord& rec)
{
    QMutexLocker lock(&DataMutex);
    TQuery& q = store_.DQ_Call;
    q.SetSQL(QStringLiteral(
        "insert into CallInfo (CallDate, CallTime, CallArea, CallDesktop, CallType, ServerPersonnel, "
        "ServerTime, ServerState) values(?, ?, ?, ?, ?, ?, ?, 1)"));
    BindCall(q, rec, cfg_);
    // The tick counter wraps at 2^32; the unsigned difference stays right across a wrap.
    const uint32_t timedMs = clock_.Tick() - rec.Tick;
    q.Bind(static_cast<qint64>(timedMs / 1000));
    if (!q.ExecSQL()) {
        error_ = q.LastError();
        return false;
    }
    return true;
}
