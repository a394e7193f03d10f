#include "calls/CallTracker.h"

#include "calls/CallLog.h"
#include "calls/CallTiming.h"
#include "calls/DutyLookup.h"
#include "core/Clock.h"
#include "core/DateFormats.h"
#include "core/ResStrings.h"
#include "layout/LayoutLookup.h"
#include "layout/PointState.h"

namespace {

QString IdentityText(const TCallRecord& rec) { return QString::number(rec.Id); }

// The status line's text for a new call (text 233, five %s in order).
QString EventText(const TConfig& cfg, const QString& dateFormat, const TCallRecord& rec)
{
    const QByteArray format = LoadResStr(233).toUtf8();
    return QString::asprintf(format.constData(), rec.CallDate.toString(dateFormat).toUtf8().constData(),
                             rec.CallTime.toString(IsoTimeFormat).toUtf8().constData(),
                             rec.CallArea.toUtf8().constData(), rec.CallDesktop.toUtf8().constData(),
                             ServiceTypeText(cfg, rec.Key).toUtf8().constData());
}

}  // namespace

TCallTracker::TCallTracker(const IClock& clock, const TConfig& cfg, const TStateTexts& texts,
                           const TDateFormats& formats, TLayOutTree& tree, IDutyLookup& duty, ICallLogWriter& log,
                           ISoundPlayer& sound, ICallEvents& events)
    : clock_(clock), cfg_(cfg), texts_(texts), formats_(formats), tree_(tree), duty_(duty), log_(log), events_(&events), alarm_(sound)
{
}

TCallTracker::~TCallTracker() = default;

void TCallTracker::OpenCall(uint16_t address, uint8_t key, const QTime& callTime, const QString& substitute)
{
    TCallRecord* rec = records_.Append();
    rec->CallDate = clock_.Today();
    rec->CallTime = callTime;
    rec->Addr = address;
    rec->Tick = clock_.Tick();
    rec->Key = key;
    rec->State = CallWaiting;
    if (const auto point = FindCallPoint(tree_, address)) {
        rec->CallArea = point->LayoutName;
        rec->CallDesktop = point->PointName;
        rec->LayOutNode = point->Node;
        rec->PointIndex = point->PointIndex;
    } else {
        rec->CallDesktop = substitute;
    }
    rec->ServerPersonnel = duty_.FindOnDutyWaiter(address);
    // Journaled before anything shows it: from here on a crash does not lose the call.
    log_.CallOpened(*rec);
    ShowNewCall(*rec);
    events_->CallOpened(*rec, EventText(cfg_, formats_.Display, *rec));
}

void TCallTracker::RestoreCall(const TJournalEntry& entry, uint32_t ageSeconds)
{
    TCallRecord* rec = records_.Append();
    rec->CallDate = entry.Row.CallDate;
    rec->CallTime = entry.Row.CallTime;
    rec->Addr = entry.Addr;
    rec->Key = entry.Key;
    rec->CallArea = entry.Row.CallArea;
    rec->CallDesktop = entry.Row.CallDesktop;
    rec->ServerPersonnel = entry.Row.ServerPersonnel;
    rec->JournalId = entry.JournalId;
    rec->OpenedAt = entry.OpenedAt;
    // It goes on ageing from when it was first recorded.
    rec->Tick = clock_.Tick() - ageSeconds * 1000u;
    rec->State = CallWaiting;
    // Linked to its point as after a layout change: the texts stay as they were recorded.
    if (const auto point = FindCallPoint(tree_, rec->Addr)) {
        rec->LayOutNode = point->Node;
        rec->PointIndex = point->PointIndex;
    }
    ShowNewCall(*rec);
    events_->CallRestored(*rec, EventText(cfg_, formats_.Display, *rec));
}

void TCallTracker::CloseCallsAt(uint16_t address, uint8_t cancelUnit, const QTime& cancelTime)
{
    TCallRecord* prev = nullptr;
    for (TCallRecord* rec = records_.Head(); rec;) {
        if (rec->Addr != address) {
            prev = rec;
            rec = rec->Next;
            continue;
        }
        TCallRecord* next = records_.Unlink(prev, rec);
        // Without a cancel unit the waiter recorded with the call served it.
        const QString server = cancelUnit != 0 ? duty_.FindCanceller(cancelUnit) : rec->ServerPersonnel;
        log_.LogServedCall(*rec, server, cancelTime);
        ShowCallServed(*rec, server, cancelTime);
        events_->CallServed(*rec, server, cancelTime, ServiceDuration(rec->CallTime, cancelTime));
        TCallRecordList::Free(rec);
        rec = next;
    }
    events_->GridsChanged();
    ReportCountsChanged();
}

void TCallTracker::ShowNewCall(const TCallRecord& rec)
{
    const QString date = rec.CallDate.toString(formats_.Display);
    const QString time = rec.CallTime.toString(IsoTimeFormat);
    const QString serviceType = ServiceTypeText(cfg_, rec.Key);

    TCallGridRow row;
    row[ColCallDate] = date;
    row[ColCallTime] = time;
    row[ColCallArea] = rec.CallArea;
    row[ColCallDesktop] = rec.CallDesktop;
    row[ColServiceType] = serviceType;
    row[ColServer] = rec.ServerPersonnel;
    row[ColTimer] = ElapsedText(0);
    row[ColState] = texts_.NormalSvrText;
    row[ColIdentity] = IdentityText(rec);
    callGrid_.InsertAtTop(row, cfg_.ViewRecords);
    unprocGrid_.InsertAtTop(callGrid_.Row(1), cfg_.ViewRecords);
    events_->GridsChanged();

    if (rec.LayOutNode) {
        AddActiveCall(rec.LayOutNode, +1);
        if (TLayOutPoint* point = PointOf(rec)) {
            point->StateTick = 0;
            point->CallKey = rec.Key;
            point->CallState = CallWaiting;
            RefreshPointImage(rec.LayOutNode, rec.PointIndex);
        }
    }
    ReportCountsChanged();

    popup_.PushNew({date + QLatin1Char(' ') + time, rec.CallArea + rec.CallDesktop + serviceType,
                    ElapsedText(0) + QLatin1Char(' ') + texts_.NormalSvrText},
                   rec.Id);
    events_->PopupChanged(cfg_.PopupWin);
}

void TCallTracker::ShowCallServed(const TCallRecord& rec, const QString& server, const QTime& cancelTime)
{
    const QString id = IdentityText(rec);
    const QString procTime = cancelTime.toString(IsoTimeFormat);

    // A row pushed out of the call-record grid is simply not updated.
    const int row = callGrid_.FindIdentity(id);
    if (row > 0) {
        callGrid_.SetCell(row, ColIdentity, QString());
        callGrid_.SetCell(row, ColProcPerson, server);
        callGrid_.SetCell(row, ColProcTime, procTime);
        callGrid_.SetCell(row, ColTimer, ElapsedText(static_cast<uint32_t>(ServiceDuration(rec.CallTime, cancelTime))));
        callGrid_.SetCell(row, ColState, texts_.SuccessSvrText);
    }
    const int waiting = unprocGrid_.FindIdentity(id);
    if (waiting > 0)
        unprocGrid_.RemoveRow(waiting);

    if (rec.LayOutNode) {
        AddActiveCall(rec.LayOutNode, -1);
        if (TLayOutPoint* point = PointOf(rec)) {
            point->StateTick = 0;
            point->CallKey = 0;
            point->CallState = IdleCallState;
            RefreshPointImage(rec.LayOutNode, rec.PointIndex);
        }
    }

    bool popupChanged = false;
    for (TPopupSlot& slot : popup_.Slots()) {
        if (slot.Id != rec.Id)
            continue;
        // The slot keeps showing the served call until newer calls push it on.
        slot.Lines[2] = procTime + QLatin1Char(' ') + texts_.SuccessSvrText;
        slot.LineColors[0] = cfg_.SuccessTxtColor;
        slot.PanelColor = cfg_.SuccessBkColor;
        slot.Id = 0;
        popupChanged = true;
    }
    if (popupChanged)
        events_->PopupChanged(false);
}

void TCallTracker::RelinkCallRecords()
{
    const uint32_t now = clock_.Tick();
    for (TCallRecord* rec = records_.Head(); rec; rec = rec->Next) {
        const auto point = FindCallPoint(tree_, rec->Addr);
        if (!point) {
            // The point was deleted: the call keeps its texts but no longer shows on a layout.
            rec->LayOutNode = nullptr;
            rec->PointIndex = -1;
            continue;
        }
        rec->LayOutNode = point->Node;
        rec->PointIndex = point->PointIndex;
        AddActiveCall(rec->LayOutNode, +1);
        const uint8_t state = RecordState(cfg_, ElapsedSeconds(rec->Tick, now));
        if (state == CallTimedOut && !cfg_.ServiceTimeOutKeepOnTime) {
            // The next timing pass ends this call; until then the point shows no state.
            TLayOutPoint& p = point->Node->Points[point->PointIndex];
            if (p.StateTick != now) {
                p.CallState = IdleCallState;
                p.CallKey = rec->Key;
            }
        } else {
            MarkPoint(*rec, state, now);
        }
    }
    RefreshSelectedPoints();
    ReportCountsChanged();
}

void TCallTracker::LogAllOpenCalls()
{
    while (TCallRecord* rec = records_.Head()) {
        records_.Unlink(nullptr, rec);
        log_.LogUnservedCall(*rec);
        ReleaseViews(*rec);
        if (rec->LayOutNode) {
            AddActiveCall(rec->LayOutNode, -1);
            if (TLayOutPoint* point = PointOf(*rec)) {
                point->StateTick = 0;
                point->CallKey = 0;
                point->CallState = IdleCallState;
            }
        }
        TCallRecordList::Free(rec);
    }
    RefreshSelectedPoints();
    events_->GridsChanged();
    events_->PopupChanged(false);
    ReportCountsChanged();
}

TCallRecord* TCallTracker::RecordOfRow(const TCallGrid& grid, int row) const
{
    return records_.Find(grid.Cell(row, ColIdentity).toULongLong());
}

TLayOutPoint* TCallTracker::PointOf(const TCallRecord& rec) const
{
    if (!rec.LayOutNode || rec.PointIndex < 0 || rec.PointIndex >= static_cast<int>(rec.LayOutNode->Points.size()))
        return nullptr;
    return &rec.LayOutNode->Points[rec.PointIndex];
}

void TCallTracker::MarkPoint(const TCallRecord& rec, uint8_t state, uint32_t now)
{
    TLayOutPoint* point = PointOf(rec);
    if (!point || point->StateTick == now)
        return;
    point->StateTick = now;
    point->CallState = state;
    point->CallKey = rec.Key;
}

void TCallTracker::AddActiveCall(TLayOutNode* node, int delta)
{
    node->ActiveCalls += delta;
    countsChanged_ = true;
}

void TCallTracker::ReportCountsChanged()
{
    if (!countsChanged_)
        return;
    countsChanged_ = false;
    events_->LayoutCountsChanged();
}

void TCallTracker::RefreshPointImage(const TLayOutNode* node, int pointIndex)
{
    if (node != tree_.Selected)
        return;
    if (UpdatePointColors(cfg_, tree_.Selected->Points[pointIndex]))
        events_->PointImageChanged(pointIndex);
}

void TCallTracker::RefreshSelectedPoints()
{
    if (!tree_.Selected)
        return;
    for (int i = 0; i < static_cast<int>(tree_.Selected->Points.size()); ++i)
        RefreshPointImage(tree_.Selected, i);
}

void TCallTracker::ReleaseViews(const TCallRecord& rec)
{
    const QString id = IdentityText(rec);
    const int row = callGrid_.FindIdentity(id);
    if (row > 0)
        callGrid_.SetCell(row, ColIdentity, QString());
    const int waiting = unprocGrid_.FindIdentity(id);
    if (waiting > 0)
        unprocGrid_.RemoveRow(waiting);
    popup_.Release(rec.Id);
}
