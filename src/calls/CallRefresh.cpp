// The once-a-second timing pass of the live calls.
#include "calls/CallTracker.h"

#include "calls/CallLog.h"
#include "calls/CallTiming.h"
#include "core/Clock.h"
#include "layout/LayoutModel.h"

void TCallTracker::RefreshCallRecordState()
{
    const uint32_t now = clock_.Tick();
    const uint64_t callGridBefore = callGrid_.Revision();
    const uint64_t unprocGridBefore = unprocGrid_.Revision();
    const auto slotsBefore = popup_.Slots();

    RefreshUnprocGrid(now);
    RefreshCallGrid(now);
    if (cfg_.PopupWin)
        RefreshPopupSlots(now);
    const TSoundWish wish = RefreshRecords(now);
    RefreshSelectedPoints();
    alarm_.Update(cfg_, wish);

    if (callGrid_.Revision() != callGridBefore || unprocGrid_.Revision() != unprocGridBefore)
        events_->GridsChanged();
    if (popup_.Slots() != slotsBefore)
        events_->PopupChanged(false);
    ReportCountsChanged();
    events_->CallsTimed();
}

void TCallTracker::WriteRowTiming(TCallGrid& grid, int row, uint32_t elapsed)
{
    grid.SetCell(row, ColTimer, ElapsedText(elapsed));
    // A waiting call keeps the text it was placed with.
    const uint8_t state = ViewState(cfg_, elapsed);
    if (state != CallWaiting)
        grid.SetCell(row, ColState, StateText(texts_, state));
}

void TCallTracker::RefreshUnprocGrid(uint32_t now)
{
    // The row count is re-read at every step: a call that timed out leaves the grid.
    for (int r = 1; r < unprocGrid_.RowCount();) {
        if (unprocGrid_.Cell(r, ColState).isEmpty()) {
            ++r;
            continue;
        }
        const TCallRecord* rec = RecordOfRow(unprocGrid_, r);
        const uint32_t elapsed = rec ? ElapsedSeconds(rec->Tick, now) : 0;
        const bool ended = !rec || (elapsed > cfg_.PreWarn3Time && !cfg_.ServiceTimeOutKeepOnTime);
        if (ended) {
            unprocGrid_.RemoveRow(r);
            continue;
        }
        WriteRowTiming(unprocGrid_, r, elapsed);
        ++r;
    }
}

void TCallTracker::RefreshCallGrid(uint32_t now)
{
    for (int r = 1; r < callGrid_.RowCount(); ++r) {
        // Served, ended and empty rows follow no call.
        if (callGrid_.Cell(r, ColState).isEmpty() || callGrid_.Cell(r, ColIdentity).isEmpty())
            continue;
        const TCallRecord* rec = RecordOfRow(callGrid_, r);
        if (!rec) {
            callGrid_.SetCell(r, ColIdentity, QString());
            continue;
        }
        const uint32_t elapsed = ElapsedSeconds(rec->Tick, now);
        if (elapsed > cfg_.PreWarn3Time && !cfg_.ServiceTimeOutKeepOnTime) {
            // The row stops following the call; its timer stays at its last value.
            callGrid_.SetCell(r, ColIdentity, QString());
            callGrid_.SetCell(r, ColState, texts_.PreWarn3SvrText);
            continue;
        }
        WriteRowTiming(callGrid_, r, elapsed);
    }
}

void TCallTracker::RefreshPopupSlots(uint32_t now)
{
    for (TPopupSlot& slot : popup_.Slots()) {
        if (slot.Id == 0)
            continue;
        const TCallRecord* rec = records_.Find(slot.Id);
        if (!rec) {
            slot.Id = 0;
            continue;
        }
        const uint32_t elapsed = ElapsedSeconds(rec->Tick, now);
        const uint8_t state = ViewState(cfg_, elapsed);
        const TPointColors colors = PointColors(cfg_, state);
        slot.Lines[2] = ElapsedText(elapsed) + QLatin1Char(' ') + StateText(texts_, state);
        slot.LineColors[0] = colors.Txt;
        slot.PanelColor = colors.Bk;
        // A timed-out call ends in this pass; the slot keeps showing the time-out.
        if (state == CallTimedOut && !cfg_.ServiceTimeOutKeepOnTime)
            slot.Id = 0;
        slot.LineColors[1] = slot.LineColors[2] = slot.LineColors[0];
    }
}

TSoundWish TCallTracker::RefreshRecords(uint32_t now)
{
    TSoundWish wish;
    TCallRecord* prev = nullptr;
    for (TCallRecord* rec = records_.Head(); rec;) {
        const uint32_t elapsed = ElapsedSeconds(rec->Tick, now);
        const uint8_t state = RecordState(cfg_, elapsed);
        if (state == CallTimedOut && !cfg_.ServiceTimeOutKeepOnTime) {
            TCallRecord* next = records_.Unlink(prev, rec);
            EndTimedOutCall(rec, elapsed, now);
            rec = next;
            continue;
        }
        if (state == CallPreWarn2) {
            if (rec->State != CallPreWarn2) {
                rec->State = CallPreWarn2;
                wish.Entered2 = true;
            }
            wish.In2 = true;
        } else if (state == CallPreWarn1) {
            if (rec->State != CallPreWarn1) {
                rec->State = CallPreWarn1;
                wish.Entered1 = true;
            }
            wish.In1 = true;
        } else if (state == CallTimedOut) {
            rec->State = CallTimedOut;
        }
        MarkPoint(*rec, state, now);
        prev = rec;
        rec = rec->Next;
    }
    return wish;
}

void TCallTracker::EndTimedOutCall(TCallRecord* rec, uint32_t elapsed, uint32_t now)
{
    if (rec->LayOutNode) {
        AddActiveCall(rec->LayOutNode, -1);
        // StateTick stays, so a later call at the same point may still mark it in this pass.
        TLayOutPoint* point = PointOf(*rec);
        if (point && point->StateTick != now) {
            point->CallState = IdleCallState;
            point->CallKey = 0;
        }
    }
    log_.LogUnservedCall(*rec);
    events_->CallTimedOut(*rec, elapsed);
    ReleaseViews(*rec);
    TCallRecordList::Free(rec);
}
