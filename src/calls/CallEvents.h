#pragma once
// What the call tracker tells the station's face (windows or the console).
// Every method has a do-nothing default, so a face overrides only what it shows.
#include <QString>
#include <QTime>
#include <cstdint>

struct TCallRecord;
struct TLayOutNode;

class ICallEvents {
public:
    virtual ~ICallEvents() = default;
    // A call was opened; eventText is the status line's event text.
    virtual void CallOpened(const TCallRecord&, const QString& /*eventText*/) {}
    // A call was served (already logged); duration in seconds.
    virtual void CallServed(const TCallRecord&, const QString& /*server*/, const QTime& /*cancelTime*/,
                            int /*durationSeconds*/) {}
    // A call ran past the time-out and was logged as not served.
    virtual void CallTimedOut(const TCallRecord&, uint32_t /*seconds*/) {}
    // A call that was live when the station went down is live again (start-up).
    virtual void CallRestored(const TCallRecord&, const QString& /*eventText*/) {}
    // A stored table could not be read (layouts, roster); the station runs on with what it has.
    virtual void StoreError(const QString& /*error*/) {}
    // The layout tree was rebuilt after a saved layout edit (root selected, calls relinked).
    virtual void LayoutsReloaded() {}
    // The layout tree's live-call counts changed (repaint the tree).
    virtual void LayoutCountsChanged() {}
    // Point pointIndex of the selected layout changed colours or key.
    virtual void PointImageChanged(int /*pointIndex*/) {}
    // The grids or the popup slots changed; with popupWanted the popup window is to be shown.
    virtual void GridsChanged() {}
    virtual void PopupChanged(bool /*showWindow*/) {}
    // A timing pass ended: the live calls' states may have risen.
    virtual void CallsTimed() {}
};
