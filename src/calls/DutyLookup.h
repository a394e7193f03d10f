#pragma once
// Who is on duty: the waiter serving a call point now, and the owner of a
// cancel unit while he is on duty anywhere. Reads the roster queries kept open.
#include <QString>
#include <QTime>
#include <cstdint>

class TDM_Sys;
class IClock;

// A duty span covers t when end > start and start <= t <= end, or, when
// end <= start (across midnight, or the whole day when equal), t >= start or t <= end.
bool DutyCovers(const QTime& start, const QTime& end, const QTime& t);

class IDutyLookup {
public:
    virtual ~IDutyLookup() = default;
    virtual QString FindOnDutyWaiter(uint16_t address) const = 0;
    virtual QString FindCanceller(uint8_t cancelUnit) const = 0;
    // Staff number of the first staff member with this name; empty when none.
    virtual QString FindStaffNumber(const QString& name) const = 0;
};

class TDutyLookup final : public IDutyLookup {
public:
    TDutyLookup(TDM_Sys& store, const IClock& clock) : store_(store), clock_(clock) {}

    // (Re)opens DQ_Duty ordered by Addr and DQ_User ordered by CancelAddr, under DataMutex.
    bool ReopenQueries(QString* error = nullptr);
    void CloseQueries();

    // Name of the first roster row for the address covering the time of day now; empty when none.
    QString FindOnDutyWaiter(uint16_t address) const override;
    // Name of the first staff member carrying this cancel unit who is on duty now; empty when none.
    QString FindCanceller(uint8_t cancelUnit) const override;
    QString FindStaffNumber(const QString& name) const override;

private:
    TDM_Sys& store_;
    const IClock& clock_;
};
