#include "calls/DutyLookup.h"

#include "core/Clock.h"
#include "core/DataStore.h"
#include "core/Failure.h"

#include <QMutexLocker>

namespace {

// An empty time reads as midnight, as the roster's editor would show it.
QTime RosterTime(const TQuery& q, const QString& column)
{
    const QTime t = q.FieldAsTime(column);
    return t.isValid() ? t : QTime(0, 0);
}

bool RowCovers(const TQuery& duty, const QTime& now)
{
    return DutyCovers(RosterTime(duty, QStringLiteral("STime")), RosterTime(duty, QStringLiteral("ETime")), now);
}

// The roster holds whole seconds and both ends are inclusive, so the last
// second of a span is covered to its end.
QTime WholeSeconds(const QTime& t)
{
    return QTime(t.hour(), t.minute(), t.second());
}

}  // namespace

bool DutyCovers(const QTime& start, const QTime& end, const QTime& t)
{
    if (end > start)
        return start <= t && t <= end;
    return t >= start || t <= end;
}

bool TDutyLookup::ReopenQueries(QString* error)
{
    QMutexLocker lock(&DataMutex);
    // Ties keep the order the rows were written in.
    store_.DQ_Duty.SetSQL(QStringLiteral("select * from DutyTable order by Addr, rowid"));
    store_.DQ_User.SetSQL(QStringLiteral("select * from Waiter order by CancelAddr, rowid"));
    for (TQuery* q : {&store_.DQ_Duty, &store_.DQ_User}) {
        if (!q->Open())
            return Fail(error, q->LastError());
    }
    return true;
}

void TDutyLookup::CloseQueries()
{
    QMutexLocker lock(&DataMutex);
    store_.DQ_Duty.Close();
    store_.DQ_User.Close();
}

QString TDutyLookup::FindOnDutyWaiter(uint16_t address) const
{
    QMutexLocker lock(&DataMutex);
    TQuery& duty = store_.DQ_Duty;
    const QTime now = WholeSeconds(clock_.TimeOfDay());
    duty.First();
    if (!duty.Locate(QStringLiteral("Addr"), address))
        return QString();
    for (; !duty.Eof() && duty.Field(QStringLiteral("Addr")).toLongLong() == address; duty.Next()) {
        if (RowCovers(duty, now))
            return duty.FieldAsString(QStringLiteral("Name"));
    }
    return QString();
}

QString TDutyLookup::FindCanceller(uint8_t cancelUnit) const
{
    QMutexLocker lock(&DataMutex);
    TQuery& staff = store_.DQ_User;
    TQuery& duty = store_.DQ_Duty;
    const QTime now = WholeSeconds(clock_.TimeOfDay());
    if (!staff.Locate(QStringLiteral("CancelAddr"), cancelUnit))
        return QString();
    for (; !staff.Eof() && staff.Field(QStringLiteral("CancelAddr")).toLongLong() == cancelUnit; staff.Next()) {
        const QString name = staff.FieldAsString(QStringLiteral("Name"));
        for (duty.First(); !duty.Eof(); duty.Next()) {
            if (duty.FieldAsString(QStringLiteral("Name")) == name && RowCovers(duty, now))
                return name;
        }
    }
    return QString();
}

QString TDutyLookup::FindStaffNumber(const QString& name) const
{
    QMutexLocker lock(&DataMutex);
    TQuery& staff = store_.DQ_User;
    // Names are matched exactly, as the cancel-unit lookup matches roster rows.
    for (staff.First(); !staff.Eof(); staff.Next()) {
        if (staff.FieldAsString(QStringLiteral("Name")) == name)
            return staff.FieldAsString(QStringLiteral("Number")).trimmed();
    }
    return QString();
}
