#pragma once
// The call tracker's events to the station's face and to one watcher beside it (the web page),
// which hears only about the calls themselves.
#include "calls/CallEvents.h"

class TCallEventsTee final : public ICallEvents {
public:
    void SetFace(ICallEvents& face) { face_ = &face; }
    void SetWatcher(ICallEvents* watcher) { watcher_ = watcher ? watcher : &none_; }

    void CallOpened(const TCallRecord& rec, const QString& text) override
    {
        face_->CallOpened(rec, text);
        watcher_->CallOpened(rec, text);
    }
    void CallServed(const TCallRecord& rec, const QString& server, const QTime& at, int seconds) override
    {
        face_->CallServed(rec, server, at, seconds);
        watcher_->CallServed(rec, server, at, seconds);
    }
    void CallTimedOut(const TCallRecord& rec, uint32_t seconds) override
    {
        face_->CallTimedOut(rec, seconds);
        watcher_->CallTimedOut(rec, seconds);
    }
    void CallRestored(const TCallRecord& rec, const QString& text) override
    {
        face_->CallRestored(rec, text);
        watcher_->CallRestored(rec, text);
    }
    void CallsTimed() override
    {
        face_->CallsTimed();
        watcher_->CallsTimed();
    }
    void StoreError(const QString& error) override { face_->StoreError(error); }
    void LayoutsReloaded() override { face_->LayoutsReloaded(); }
    void LayoutCountsChanged() override { face_->LayoutCountsChanged(); }
    void PointImageChanged(int pointIndex) override { face_->PointImageChanged(pointIndex); }
    void GridsChanged() override { face_->GridsChanged(); }
    void PopupChanged(bool showWindow) override { face_->PopupChanged(showWindow); }

private:
    ICallEvents none_;
    ICallEvents* face_ = &none_;
    ICallEvents* watcher_ = &none_;
};
