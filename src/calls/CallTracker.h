#pragma once
// The live calls from press to log: opening and closing them, the
// once-a-second timing with states, colours and warning sounds, the two call
// grids, the popup slots and the call states of the layout points.
#include "calls/CallEvents.h"
#include "calls/CallGrid.h"
#include "comm/CallOps.h"
#include "calls/CallRecord.h"
#include "calls/PopupSlots.h"
#include "calls/SoundAlarm.h"
#include "core/Config.h"
#include "core/DateFormats.h"

class IClock;
class IDutyLookup;
class ICallLogWriter;
class ISoundPlayer;
struct TJournalEntry;
struct TLayOutTree;
struct TLayOutNode;
struct TLayOutPoint;

class TCallTracker final : public ICallOps {
public:
    // cfg, texts and formats are the window thread's settings, read as each call is shown or timed.
    TCallTracker(const IClock& clock, const TConfig& cfg, const TStateTexts& texts, const TDateFormats& formats,
                 TLayOutTree& tree, IDutyLookup& duty, ICallLogWriter& log, ISoundPlayer& sound, ICallEvents& events);
    ~TCallTracker() override;

    void OpenCall(uint16_t address, uint8_t key, const QTime& callTime, const QString& substitute) override;
    void CloseCallsAt(uint16_t address, uint8_t cancelUnit, const QTime& cancelTime) override;
    // At start-up: a call that was live when the station went down is live again,
    // recorded as it was and ageSeconds old.
    void RestoreCall(const TJournalEntry& entry, uint32_t ageSeconds);

    // One timing pass over the grids, the popup slots and the live records.
    void RefreshCallRecordState();
    // After the layout tree was rebuilt: links every live call to its point again.
    void RelinkCallRecords();
    // At shutdown: logs every live call as not served and empties the list.
    void LogAllOpenCalls();

    const TCallRecordList& Records() const { return records_; }
    const TCallGrid& CallRecordGrid() const { return callGrid_; }
    const TCallGrid& UnprocGrid() const { return unprocGrid_; }
    const TPopupSlots& Popup() const { return popup_; }
    const TSoundAlarm& Sound() const { return alarm_; }

private:
    // Fills both grids, the point and the popup slots with a new call.
    void ShowNewCall(const TCallRecord& rec);
    // Shows a served call in both grids, its point and the popup slots.
    void ShowCallServed(const TCallRecord& rec, const QString& server, const QTime& cancelTime);

    // The steps of one timing pass.
    void RefreshUnprocGrid(uint32_t now);
    void RefreshCallGrid(uint32_t now);
    void RefreshPopupSlots(uint32_t now);
    TSoundWish RefreshRecords(uint32_t now);
    // Timer and state text of a grid row whose call is still timed.
    void WriteRowTiming(TCallGrid& grid, int row, uint32_t elapsed);
    // Ends a record that ran past the time-out: logged as not served, let go by every view, freed.
    void EndTimedOutCall(TCallRecord* rec, uint32_t elapsed, uint32_t now);

    // The live record a grid row follows; nullptr when it follows none.
    TCallRecord* RecordOfRow(const TCallGrid& grid, int row) const;
    // The point a record is linked to; nullptr without a link.
    TLayOutPoint* PointOf(const TCallRecord& rec) const;
    // The first record to mark a point in a pass (the oldest) decides its state.
    void MarkPoint(const TCallRecord& rec, uint8_t state, uint32_t now);
    void AddActiveCall(TLayOutNode* node, int delta);
    // Brings a point's colours up to date when its layout is the selected one.
    void RefreshPointImage(const TLayOutNode* node, int pointIndex);
    void RefreshSelectedPoints();
    // Tells the face once per operation that the layouts' live-call counts moved.
    void ReportCountsChanged();
    // Lets go of a record in every view: call-grid row, unprocessed row, popup slots.
    void ReleaseViews(const TCallRecord& rec);

    const IClock& clock_;
    const TConfig& cfg_;
    const TStateTexts& texts_;
    const TDateFormats& formats_;
    TLayOutTree& tree_;
    IDutyLookup& duty_;
    ICallLogWriter& log_;
    ICallEvents* events_;

    TCallRecordList records_;
    TCallGrid callGrid_;
    TCallGrid unprocGrid_;
    TPopupSlots popup_;
    TSoundAlarm alarm_;
    bool countsChanged_ = false;  // some ActiveCalls moved in the current operation
};
