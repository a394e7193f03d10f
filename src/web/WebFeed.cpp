#include "web/WebFeed.h"

#include "calls/CallRecord.h"
#include "calls/CallTiming.h"
#include "core/Clock.h"
#include "core/DateFormats.h"
#include "core/ServiceType.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace {

QByteArray Json(const QJsonObject& object) { return QJsonDocument(object).toJson(QJsonDocument::Compact); }

QJsonObject IdOnly(uint64_t id) { return QJsonObject{{QStringLiteral("id"), static_cast<qint64>(id)}}; }

}  // namespace

TWebFeed::TWebFeed(TWebHub& hub, const IClock& clock, const TConfig& cfg, const TCallRecordList& records)
    : hub_(hub), clock_(clock), cfg_(cfg), records_(records)
{
}

void TWebFeed::Open(const TCallRecord& rec)
{
    TWebCall call;
    call.Id = rec.Id;
    call.Date = rec.CallDate;
    call.Time = rec.CallTime;
    call.Area = rec.CallArea;
    call.Position = rec.CallDesktop;
    call.Type = ServiceTypeText(cfg_, rec.Key);
    call.Server = rec.ServerPersonnel;
    call.State = rec.State;
    call.Tick = rec.Tick;
    calls_.push_back(call);
    HandOver();
    hub_.Publish(StreamEvent("opened", Json(CallJson(call, clock_.Tick()))));
}

void TWebFeed::Remove(uint64_t id)
{
    calls_.erase(std::remove_if(calls_.begin(), calls_.end(), [id](const TWebCall& c) { return c.Id == id; }),
                 calls_.end());
    HandOver();
}

void TWebFeed::CallOpened(const TCallRecord& rec, const QString&) { Open(rec); }

void TWebFeed::CallRestored(const TCallRecord& rec, const QString&) { Open(rec); }

void TWebFeed::CallServed(const TCallRecord& rec, const QString& server, const QTime& cancelTime, int durationSeconds)
{
    Remove(rec.Id);
    hub_.Publish(StreamEvent("served", Json(QJsonObject{
                                           {QStringLiteral("id"), static_cast<qint64>(rec.Id)},
                                           {QStringLiteral("server"), server},
                                           {QStringLiteral("time"), cancelTime.toString(IsoTimeFormat)},
                                           {QStringLiteral("seconds"), durationSeconds},
                                       })));
}

void TWebFeed::CallTimedOut(const TCallRecord& rec, uint32_t)
{
    Remove(rec.Id);
    hub_.Publish(StreamEvent("timedout", Json(IdOnly(rec.Id))));
}

void TWebFeed::CallsTimed()
{
    bool changed = false;
    for (const TCallRecord* rec = records_.Head(); rec; rec = rec->Next) {
        const auto it = std::find_if(calls_.begin(), calls_.end(), [&](const TWebCall& c) { return c.Id == rec->Id; });
        if (it == calls_.end() || rec->State <= it->State)
            continue;
        it->State = rec->State;
        changed = true;
        if (rec->State == ::CallTimedOut)
            hub_.Publish(StreamEvent("timedout", Json(IdOnly(rec->Id))));
        else
            hub_.Publish(StreamEvent("state", Json(QJsonObject{{QStringLiteral("id"), static_cast<qint64>(rec->Id)},
                                                                {QStringLiteral("state"), rec->State}})));
    }
    if (changed)
        HandOver();
}

void TWebFeed::LinkChanged(const QString& text, bool ok)
{
    if (ok == linkOk_ && text == linkText_)
        return;
    linkOk_ = ok;
    linkText_ = text;
    hub_.PublishLink(StreamEvent("link", Json(QJsonObject{{QStringLiteral("ok"), ok}, {QStringLiteral("text"), text}})));
}
