#include "app/DemoRestaurant.h"

#include "core/Config.h"
#include "core/DataStore.h"
#include "core/Failure.h"
#include "layout/LayoutStore.h"

#include <QFileInfo>
#include <QTime>
#include <iterator>
#include <memory>

namespace {

struct TDemoTable {
    int Layout;          // index into DemoLayouts
    const char* Name;
    uint8_t Shape;       // 0 round, 1 square
    int X, Y, Width, Height;
    uint8_t TxtPos;      // 0 centre, 1 top, 2 bottom
};

const char* const DemoLayouts[] = {"大厅", "包间"};

// Addresses follow the order of this list, from 0x0001.
const TDemoTable DemoTables[] = {
    {0, "A1", 0, 40, 40, 80, 80, 0},     {0, "A2", 1, 200, 45, 90, 70, 1},
    {0, "A3", 0, 370, 40, 80, 80, 2},    {0, "A4", 1, 530, 45, 100, 70, 0},
    {0, "A5", 1, 40, 250, 90, 90, 2},    {0, "A6", 0, 200, 240, 100, 100, 0},
    {0, "A7", 1, 380, 250, 80, 80, 1},   {0, "A8", 0, 540, 245, 90, 90, 0},
    {1, "V1", 0, 60, 50, 110, 110, 0},   {1, "V2", 1, 380, 60, 110, 90, 1},
    {1, "V3", 1, 60, 270, 100, 100, 2},  {1, "V4", 0, 380, 260, 110, 110, 0},
};

struct TDemoWaiter {
    const char* Number;
    const char* Name;
    const char* Phone;
    bool Male;
    int CancelAddr;
};

// The first two work the day shift, the last two the night shift.
const TDemoWaiter DemoWaiters[] = {
    {"001", "王芳", "138-0000-0001", false, 0x01},
    {"002", "李强", "138-0000-0002", true, 0x02},
    {"003", "张丽", "138-0000-0003", false, 0x03},
    {"004", "刘洋", "138-0000-0004", true, 0x04},
};

// Both ends of a duty span count, so the shifts meet a second apart.
const QTime DayStart(6, 0, 0), DayEnd(17, 59, 59);
const QTime NightStart(18, 0, 0), NightEnd(5, 59, 59);


bool HoldsRows(TDM_Sys& store, const QString& table, bool* holds, QString* error)
{
    TQuery q(store);
    q.SetSQL(QStringLiteral("select * from %1 limit 1").arg(table));
    if (!q.Open())
        return Fail(error, q.LastError());
    *holds = q.RecordCount() > 0;
    return true;
}

bool Insert(TDM_Sys& store, const QString& sql, const QVariantList& values, QString* error)
{
    TQuery q(store);
    q.SetSQL(sql);
    for (const QVariant& v : values)
        q.Bind(v);
    return q.ExecSQL() || Fail(error, q.LastError());
}

TLayOutTree DemoTree()
{
    TLayOutTree tree;
    for (const char* name : DemoLayouts) {
        tree.Layouts.push_back(std::make_unique<TLayOutNode>());
        tree.Layouts.back()->Name = QString::fromUtf8(name);
    }
    uint16_t address = 0;
    for (const TDemoTable& t : DemoTables) {
        TLayOutPoint p;
        p.Address = ++address;
        p.Name = QString::fromUtf8(t.Name);
        p.Shape = t.Shape;
        p.XPos = t.X;
        p.YPos = t.Y;
        p.Width = static_cast<uint16_t>(t.Width);
        p.Height = static_cast<uint16_t>(t.Height);
        p.TxtPos = t.TxtPos;
        tree.Layouts[static_cast<size_t>(t.Layout)]->Points.push_back(p);
    }
    return tree;
}

bool WriteStaffAndRoster(TDM_Sys& store, QString* error)
{
    for (const TDemoWaiter& w : DemoWaiters) {
        if (!Insert(store, QStringLiteral("insert into Waiter values(?, ?, ?, ?, ?, '')"),
                    {QString::fromUtf8(w.Number), QString::fromUtf8(w.Name), QString::fromUtf8(w.Phone), w.Male,
                     w.CancelAddr},
                    error))
            return false;
    }
    // Table i has waiter i % 2 by day and waiter 2 + i % 2 by night.
    const QString duty = QStringLiteral("insert into DutyTable values(?, ?, ?, ?, ?)");
    for (int i = 0; i < int(std::size(DemoTables)); ++i) {
        const TDemoWaiter& day = DemoWaiters[i % 2];
        const TDemoWaiter& night = DemoWaiters[2 + i % 2];
        const int address = i + 1;
        if (!Insert(store, duty, {QString::fromUtf8(day.Number), QString::fromUtf8(day.Name), DayStart, DayEnd, address},
                    error) ||
            !Insert(store, duty,
                    {QString::fromUtf8(night.Number), QString::fromUtf8(night.Name), NightStart, NightEnd, address},
                    error))
            return false;
    }
    return true;
}

// Thresholds short enough that the pre-warnings and the time-out show within a minute.
bool WriteDemoConfig(const QString& configPath, QString* error)
{
    TConfig cfg;
    TStateTexts texts;
    ReadConfig(configPath, cfg, texts);   // the file is missing: every default
    cfg.Title = QStringLiteral("Velkaro无线呼叫系统 (演示)");
    cfg.PreWarn1Time = 20;
    cfg.PreWarn2Time = 40;
    cfg.PreWarn3Time = 60;
    cfg.PopupWin = true;
    cfg.ServerType1 = QStringLiteral("点菜");
    cfg.ServerType2 = QStringLiteral("服务");
    cfg.ServerType3 = QStringLiteral("结账");
    return SaveConfig(configPath, cfg, error);
}

}  // namespace

bool SeedDemoRestaurant(TDM_Sys& store, const QString& configPath, QString* error)
{
    for (const QString& table : {QStringLiteral("LayOutName"), QStringLiteral("LayOutPoint"), QStringLiteral("Waiter"),
                                QStringLiteral("DutyTable")}) {
        bool holds = false;
        if (!HoldsRows(store, table, &holds, error))
            return false;
        if (holds)
            return true;
    }

    if (!QFileInfo::exists(configPath) && !WriteDemoConfig(configPath, error))
        return false;

    const TLayOutTree tree = DemoTree();
    QString why;
    const bool written = store.InTransaction(
        [&] { return WriteSiteLayOutData(store, tree, &why) && WriteStaffAndRoster(store, &why); }, error);
    // The failing statement says more than the notice of the undone transaction.
    if (!written && error && !why.isEmpty())
        *error = why;
    return written;
}
