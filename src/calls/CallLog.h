#pragma once
// The call log: every call that leaves the live list becomes one row of CallInfo.
#include <QString>
#include <QTime>

struct TCallRecord;
struct TConfig;
class TDM_Sys;
class IClock;

// Seconds between two times of day as an absolute difference, without regard to midnight.
int ServiceDuration(const QTime& callTime, const QTime& cancelTime);

class ICallLogWriter {
public:
    virtual ~ICallLogWriter() = default;
    virtual bool LogServedCall(const TCallRecord& rec, const QString& server, const QTime& cancelTime) = 0;
    virtual bool LogUnservedCall(const TCallRecord& rec) = 0;
    virtual QString LastError() const = 0;
};

class TCallLog final : public ICallLogWriter {
public:
    TCallLog(TDM_Sys& store, const IClock& clock, const TConfig& cfg) : store_(store), clock_(clock), cfg_(cfg) {}

    // A served call: state 0, with the cancel time, who served it and the duration.
    bool LogServedCall(const TCallRecord& rec, const QString& server, const QTime& cancelTime) override;
    // A call that timed out or was still live at shutdown: state 1, the seconds it was timed.
    bool LogUnservedCall(const TCallRecord& rec) override;

    // Text of the last failed insert (the row is then missing from the log).
    QString LastError() const override { return error_; }

private:
    TDM_Sys& store_;
    const IClock& clock_;
    const TConfig& cfg_;
    QString error_;
};
