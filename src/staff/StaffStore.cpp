#include "staff/StaffStore.h"

#include "core/DataStore.h"
#include "core/Failure.h"
#include "layout/LayoutLookup.h"

#include <functional>
#include <limits>
#include <optional>

namespace {

QStringList StaffRowOfRecord(const TQuery& q)
{
    QStringList row;
    row << q.FieldAsString(QStringLiteral("Number")).trimmed() << q.FieldAsString(QStringLiteral("Name"))
        << SexText(q.FieldAsBoolean(QStringLiteral("Sex"))) << q.FieldAsString(QStringLiteral("Phone"))
        << CancelAddrText(q.Field(QStringLiteral("CancelAddr")).toLongLong())
        << q.FieldAsString(QStringLiteral("Remark"));
    return row;
}

QStringList DutyRowOfRecord(const TQuery& q, const TLayOutTree& tree)
{
    QStringList row;
    row << q.FieldAsString(QStringLiteral("Number")) << q.FieldAsString(QStringLiteral("Name"))
        << RosterTimeText(q.FieldAsTime(QStringLiteral("STime")))
        << RosterTimeText(q.FieldAsTime(QStringLiteral("ETime")));
    // An address outside 16 bits belongs to no call point.
    const qint64 addr = q.Field(QStringLiteral("Addr")).toLongLong();
    std::optional<TCallPointRef> point;
    if (addr >= 0 && addr <= std::numeric_limits<uint16_t>::max())
        point = FindCallPoint(tree, static_cast<uint16_t>(addr));
    row << (point ? point->LayoutName : QString()) << (point ? point->PointName : QString());
    return row;
}

bool ReadGrid(TQuery& q, const QString& select, TTextGrid& grid, QString* error,
              const std::function<QStringList(const TQuery&)>& rowOf)
{
    q.SetSQL(select);
    if (!q.Open())
        return Fail(error, q.LastError());
    grid.Clear();
    for (q.First(); !q.Eof(); q.Next())
        grid.Append(rowOf(q));
    q.Close();
    return true;
}

bool Exec(TQuery& q, const QString& sql, const QVariantList& values, QString* error)
{
    q.SetSQL(sql);
    for (const QVariant& v : values)
        q.Bind(v);
    return q.ExecSQL() || Fail(error, q.LastError());
}

bool WriteStaff(TQuery& q, const TTextGrid& staff, QString* error)
{
    if (!Exec(q, QStringLiteral("delete from Waiter"), {}, error))
        return false;
    for (int r = 0; r < staff.DataRowCount(); ++r) {
        const QStringList& row = staff.Row(r);
        if (!Exec(q, QStringLiteral("insert into Waiter (Number, Name, Phone, Sex, CancelAddr, Remark) "
                                    "values(?, ?, ?, ?, ?, ?)"),
                  {row[StaffNumber], row[StaffName], row[StaffPhone], IsMaleText(row[StaffSex]),
                   CancelAddrOfText(row[StaffCancelAddr]), row[StaffRemark]},
                  error))
            return false;
    }
    return true;
}

bool WriteDuty(TQuery& q, const TLayOutTree& tree, const TTextGrid& duty, QString* error)
{
    if (!Exec(q, QStringLiteral("delete from DutyTable"), {}, error))
        return false;
    for (int r = 0; r < duty.DataRowCount(); ++r) {
        const QStringList& row = duty.Row(r);
        const std::optional<uint16_t> addr = FindCallPointAddress(tree, row[DutyArea], row[DutyPosition]);
        if (!addr)
            continue;   // its call point is gone from the layouts
        if (!Exec(q, QStringLiteral("insert into DutyTable (Number, Name, STime, ETime, Addr) values(?, ?, ?, ?, ?)"),
                  {row[DutyNumber], row[DutyName], row[DutySTime], row[DutyETime], static_cast<int>(*addr)},
                  error))
            return false;
    }
    return true;
}

}  // namespace

bool LoadStaffData(TDM_Sys& store, const TLayOutTree& tree, TStaffData& data, QString* error)
{
    data.SortMarker = 0;
    return ReadGrid(store.DQ_Set, QStringLiteral("select * from Waiter order by rowid"), data.Staff, error,
                    StaffRowOfRecord)
        && ReadGrid(store.DQ_SetExt, QStringLiteral("select * from DutyTable order by rowid"), data.Duty, error,
                    [&tree](const TQuery& q) { return DutyRowOfRecord(q, tree); });
}

bool SaveStaffData(TDM_Sys& store, const TLayOutTree& tree, const TStaffData& data, QString* error)
{
    TQuery& q = store.DQ_Set;
    return store.Rewrite([&](QString* why) { return WriteStaff(q, data.Staff, why) && WriteDuty(q, tree, data.Duty, why); },
                         error);
}
