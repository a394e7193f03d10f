#include "CallLogGenerator.h"

#include "calls/CallOutbox.h"
#include "core/DataStore.h"
#include "core/DateFormats.h"
#include "core/Failure.h"

#include <QSqlError>
#include <QSqlQuery>
#include <memory>
#include <mutex>

namespace {

const char* const Areas[] = {"大厅", "包间", "露台"};
const char* const Types[] = {"BUTTON1", "BUTTON2", "BUTTON3"};
const char* const Waiters[] = {"张三", "李四", "王五", "赵六", "钱七", "孙八", "周九", "吴十"};
// The chain's other restaurants take their waiters from here.
const char* const ChainStaff[] = {"陈静", "林涛", "黄丽", "何军", "郭敏", "马超", "罗娟", "梁勇",
                                  "宋洁", "郑浩", "谢婷", "韩磊", "唐欣", "冯波", "于燕", "董鹏",
                                  "萧晴", "程刚", "曹雪", "袁亮", "邓佳", "许斌", "傅琳", "沈峰"};
constexpr int ChainStaffCount = static_cast<int>(std::size(ChainStaff));

// Calls are moved into the log in transactions of this many, as a busy station might.
constexpr qint64 ShippingBatch = 5000;

}  // namespace

TCallMaker::TCallMaker(quint32 seed, int restaurant) : random_(seed + static_cast<quint32>(restaurant))
{
    if (restaurant == 0) {
        for (const char* name : Waiters)
            waiters_ << QString::fromUtf8(name);
        return;
    }
    tables_ = 20 + restaurant * 13 % 41;
    missedPercent_ = 3 + restaurant * 5 % 9;
    slowestSeconds_ = 60 + restaurant * 37 % 120;
    for (int w = 0; w < 5 + restaurant % 5; ++w)
        waiters_ << QString::fromUtf8(ChainStaff[(restaurant * 7 + w) % ChainStaffCount]);
}

TCallLogRow TCallMaker::Next(const QDate& date, bool numbered)
{
    QRandomGenerator& random = random_;
    // Opening hours 10:00 to 23:00, busiest around the meals.
    const int hour = random.bounded(100) < 60 ? (random.bounded(2) ? 12 : 18) + random.bounded(2) : 10 + random.bounded(13);
    TCallLogRow row;
    row.CallDate = date;
    row.CallTime = QTime(hour, random.bounded(60), random.bounded(60));
    const int table = random.bounded(tables_);
    const int waiter = table % static_cast<int>(waiters_.size());
    const bool timedOut = random.bounded(100) < missedPercent_;
    row.ServerTime = timedOut ? 121 : 5 + random.bounded(slowestSeconds_) + (random.bounded(10) == 0 ? random.bounded(600) : 0);
    row.CallArea = QString::fromUtf8(Areas[table % 3]);
    row.CallDesktop = QStringLiteral("T%1").arg(table + 1, 2, 10, QLatin1Char('0'));
    row.CallType = QString::fromLatin1(Types[random.bounded(3)]);
    row.ServerPersonnel = waiters_[waiter];
    row.ServerState = timedOut ? 1 : 0;
    if (!timedOut) {
        row.ProcTime = row.CallTime.addSecs(row.ServerTime);
        row.ProcPersonnel = waiters_[waiter];
    }
    if (numbered)
        row.UserNumber = QStringLiteral("%1").arg(waiter + 1, 3, 10, QLatin1Char('0'));
    return row;
}

QVariantList StoredColumns(const TCallLogRow& row)
{
    const bool served = row.ServerState == 0;
    const auto time = [](const QTime& t) { return t.isValid() ? QVariant(t.toString(IsoTimeFormat)) : QVariant(); };
    return {row.CallDate.toString(IsoDateFormat),
            time(row.CallTime),
            row.CallArea,
            row.CallDesktop,
            row.ServerPersonnel,
            row.UserNumber.isEmpty() ? QVariant() : QVariant(row.UserNumber),
            row.CallType,
            served ? time(row.ProcTime) : QVariant(),
            served ? QVariant(row.ProcPersonnel) : QVariant(),
            row.ServerTime,
            row.ServerState};
}

bool GenerateCallLog(TDM_Sys& store, const TCallLogPlan& plan, QString* error)
{
    TCallMaker maker(plan.Seed, plan.Restaurant);
    return store.InTransaction([&] {
        QSqlQuery q(store.Database());
        if (!q.prepare(QStringLiteral("insert into CallInfo (%1) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                           .arg(TCallOutbox::Columns)))
            return Fail(error, q.lastError().text());
        for (qint64 i = 0; i < plan.Rows; ++i) {
            const QDate date = CallDateOf(plan, i);
            const QVariantList values = StoredColumns(maker.Next(date, plan.NumbersFrom.isValid() && date >= plan.NumbersFrom));
            for (int v = 0; v < values.size(); ++v)
                q.bindValue(v, values[v]);
            if (!q.exec())
                return Fail(error, q.lastError().text());
        }
        return true;
    }, error);
}

bool LogCallsForShipping(const QString& dataDir, const TCallLogPlan& plan, QString* error)
{
    TCallJournal journal;
    if (!journal.Open(dataDir, error))
        return false;
    journal.SetOutbox(std::make_shared<std::mutex>());
    TCallMaker maker(plan.Seed, plan.Restaurant);
    std::vector<TJournalEntry> batch;
    for (qint64 i = 0; i < plan.Rows; ++i) {
        const QDate date = CallDateOf(plan, i);
        TJournalEntry entry;
        entry.Closed = true;
        entry.Row = maker.Next(date, plan.NumbersFrom.isValid() && date >= plan.NumbersFrom);
        batch.push_back(std::move(entry));
        if (static_cast<qint64>(batch.size()) == ShippingBatch || i + 1 == plan.Rows) {
            if (!journal.MoveToLog(batch, error))
                return false;
            batch.clear();
        }
    }
    return true;
}
