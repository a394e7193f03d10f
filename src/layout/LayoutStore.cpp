#include "layout/LayoutStore.h"

#include "core/DataStore.h"
#include "core/Failure.h"
#include "core/ResStrings.h"

#include <algorithm>

namespace {

// Stored sizes are cut to 16 bits first, then limited to what a panel shows.
uint16_t PointSize(qint64 stored)
{
    return std::min(static_cast<uint16_t>(stored), MaxPointSize);
}

TLayOutPoint PointOfRow(const TQuery& q)
{
    TLayOutPoint p;   // run-time fields start idle
    p.Name = q.FieldAsString(QStringLiteral("Name"));
    p.Shape = static_cast<uint8_t>(q.Field(QStringLiteral("Shape")).toLongLong());
    p.Address = static_cast<uint16_t>(q.Field(QStringLiteral("Address")).toLongLong());
    p.XPos = static_cast<int32_t>(q.Field(QStringLiteral("XPos")).toLongLong());
    p.YPos = static_cast<int32_t>(q.Field(QStringLiteral("YPos")).toLongLong());
    p.TxtPos = static_cast<uint8_t>(q.Field(QStringLiteral("TxtPos")).toLongLong());
    p.Width = PointSize(q.Field(QStringLiteral("Width")).toLongLong());
    p.Height = PointSize(q.Field(QStringLiteral("Height")).toLongLong());
    return p;
}

bool ReadLayouts(TDM_Sys& store, TLayOutTree& tree, QString* error)
{
    TQuery names(store);
    names.SetSQL(QStringLiteral("select * from LayOutName order by SN"));
    if (!names.Open())
        return Fail(error, names.LastError());

    TQuery points(store);
    for (names.First(); !names.Eof(); names.Next()) {
        auto node = std::make_unique<TLayOutNode>();
        node->SN = names.FieldAsInteger(QStringLiteral("SN"));
        node->Name = names.FieldAsString(QStringLiteral("Name"));

        points.SetSQL(QStringLiteral("select * from LayOutPoint where LayOut = ? order by rowid"));
        points.Bind(names.Field(QStringLiteral("SN")));
        if (!points.Open())
            return Fail(error, points.LastError());
        node->Points.reserve(static_cast<size_t>(points.RecordCount()));
        for (points.First(); !points.Eof(); points.Next())
            node->Points.push_back(PointOfRow(points));
        tree.Layouts.push_back(std::move(node));
    }
    return true;
}

bool WriteLayouts(TDM_Sys& store, const TLayOutTree& tree, QString* error)
{
    TQuery q(store);
    for (const QString& table : {QStringLiteral("LayOutName"), QStringLiteral("LayOutPoint")}) {
        q.SetSQL(QStringLiteral("delete from ") + table);
        if (!q.ExecSQL())
            return Fail(error, q.LastError());
    }

    int sn = 0;
    for (const auto& node : tree.Layouts) {
        ++sn;
        q.SetSQL(QStringLiteral("insert into LayOutName values(?, ?, '')"));
        q.Bind(sn);
        q.Bind(node->Name);
        if (!q.ExecSQL())
            return Fail(error, q.LastError());

        for (const TLayOutPoint& p : node->Points) {
            q.SetSQL(QStringLiteral("insert into LayOutPoint values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '')"));
            for (const QVariant& v : {QVariant(p.Address), QVariant(sn), QVariant(p.Name), QVariant(p.Shape),
                                      QVariant(p.BkColor), QVariant(p.XPos), QVariant(p.YPos),
                                      QVariant(p.TxtPos), QVariant(p.Width), QVariant(p.Height)})
                q.Bind(v);
            if (!q.ExecSQL())
                return Fail(error, q.LastError());
        }
    }
    return true;
}

}  // namespace

bool ReadSiteLayOutData(TDM_Sys& store, TLayOutTree& tree, QString* error)
{
    tree.Clear();
    tree.RootName = LoadResStr(1005);
    if (!ReadLayouts(store, tree, error)) {
        tree.Clear();
        return false;
    }
    return true;
}

bool WriteSiteLayOutData(TDM_Sys& store, const TLayOutTree& tree, QString* error)
{
    return store.Rewrite([&](QString* why) { return WriteLayouts(store, tree, why); }, error);
}
