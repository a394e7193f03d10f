#pragma once
// A call tracker on a small layout, with a hand-moved clock and recording
// stand-ins for the roster, the call log, the sound player and the face.
#include "calls/CallLog.h"
#include "calls/CallTracker.h"
#include "calls/DutyLookup.h"
#include "calls/SoundPlayer.h"
#include "core/Clock.h"
#include "layout/LayoutModel.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <map>
#include <vector>

struct FakeDuty final : IDutyLookup {
    std::map<uint16_t, QString> Waiters;
    std::map<uint8_t, QString> Cancellers;
    QString FindOnDutyWaiter(uint16_t address) const override
    {
        const auto it = Waiters.find(address);
        return it == Waiters.end() ? QString() : it->second;
    }
    QString FindCanceller(uint8_t unit) const override
    {
        const auto it = Cancellers.find(unit);
        return it == Cancellers.end() ? QString() : it->second;
    }
    QString FindStaffNumber(const QString&) const override { return QString(); }
};

struct LogRow {
    bool Served = false;
    uint64_t Id = 0;
    uint16_t Addr = 0;
    uint8_t Key = 0;
    QString Server;
    QTime CancelTime;
    int Seconds = 0;
};

// Writes rows to memory as the call log would write them to its table.
struct FakeCallLog final : ICallLogWriter {
    explicit FakeCallLog(const IClock& clock) : Clock(clock) {}
    void CallOpened(TCallRecord& rec) override
    {
        if (OnOpened)
            OnOpened(rec);
    }
    void LogServedCall(const TCallRecord& rec, const QString& server, const QTime& cancelTime) override
    {
        Rows.push_back({true, rec.Id, rec.Addr, rec.Key, server, cancelTime, ServiceDuration(rec.CallTime, cancelTime)});
    }
    void LogUnservedCall(const TCallRecord& rec) override
    {
        Rows.push_back({false, rec.Id, rec.Addr, rec.Key, QString(), QTime(),
                        static_cast<int>((Clock.Tick() - rec.Tick) / 1000)});
    }

    const IClock& Clock;
    std::vector<LogRow> Rows;
    std::function<void(const TCallRecord&)> OnOpened;
};

struct FakeSound final : ISoundPlayer {
    QStringList Ops;
    void PlayOnce(const QString& file) override { Ops << QStringLiteral("once:") + file; }
    void PlayLoop(const QString& file) override { Ops << QStringLiteral("loop:") + file; }
    void Stop() override { Ops << QStringLiteral("stop"); }
};

struct RecordingEvents final : ICallEvents {
    QStringList OpenedTexts;
    std::vector<int> ServedSeconds;
    std::vector<uint32_t> TimedOutSeconds;
    QStringList RestoredTexts;
    std::vector<int> PointChanges;
    int GridChanges = 0;
    int PopupShows = 0;
    int CountChanges = 0;
    void CallOpened(const TCallRecord&, const QString& text) override { OpenedTexts << text; }
    void CallServed(const TCallRecord&, const QString&, const QTime&, int seconds) override
    {
        ServedSeconds.push_back(seconds);
    }
    void CallTimedOut(const TCallRecord&, uint32_t seconds) override { TimedOutSeconds.push_back(seconds); }
    void CallRestored(const TCallRecord&, const QString& text) override { RestoredTexts << text; }
    void LayoutCountsChanged() override { ++CountChanges; }
    void PointImageChanged(int index) override { PointChanges.push_back(index); }
    void GridsChanged() override { ++GridChanges; }
    void PopupChanged(bool show) override { PopupShows += show ? 1 : 0; }
};

class CallTrackerFixture : public ::testing::Test {
protected:
    CallTrackerFixture()
    {
        texts = {QStringLiteral("Waiting"), QStringLiteral("Served"), QStringLiteral("Warn1"),
                 QStringLiteral("Warn2"), QStringLiteral("TimedOut")};
        cfg.PreWarnWav1 = QStringLiteral("warn1.wav");
        cfg.PreWarnWav2 = QStringLiteral("warn2.wav");
        clock.SetTick(5000);
        tree.Selected = &AddLayout(QStringLiteral("Hall"), 1, 3);
    }

    // A layout whose points T<n> have the addresses first .. first + count - 1.
    TLayOutNode& AddLayout(const QString& name, uint16_t first, int count)
    {
        auto node = std::make_unique<TLayOutNode>();
        node->Name = name;
        for (int i = 0; i < count; ++i) {
            TLayOutPoint p;
            p.Address = static_cast<uint16_t>(first + i);
            p.Name = QStringLiteral("T%1").arg(first + i);
            node->Points.push_back(p);
        }
        tree.Layouts.push_back(std::move(node));
        return *tree.Layouts.back();
    }

    TLayOutNode& Hall() { return *tree.Layouts.front(); }

    void Open(uint16_t address, uint8_t key = 11, const QTime& at = QTime(12, 0, 0))
    {
        tracker.OpenCall(address, key, at, QStringLiteral("(%1)").arg(address, 4, 16, QLatin1Char('0')));
    }

    // Timing passes one second apart.
    void Passes(int count)
    {
        for (int i = 0; i < count; ++i) {
            clock.Advance(1000);
            tracker.RefreshCallRecordState();
        }
    }

    const TCallGrid& Calls() const { return tracker.CallRecordGrid(); }
    const TCallGrid& Unproc() const { return tracker.UnprocGrid(); }

    // Every identity a view holds names a live record.
    void ExpectNoStaleReferences() const
    {
        for (const TCallGrid* grid : {&Calls(), &Unproc()}) {
            for (int r = 1; r < grid->RowCount(); ++r) {
                const QString id = grid->Cell(r, ColIdentity);
                if (!id.isEmpty()) {
                    EXPECT_NE(tracker.Records().Find(id.toULongLong()), nullptr) << "grid row " << r;
                }
            }
        }
        for (const TPopupSlot& slot : tracker.Popup().Slots()) {
            if (slot.Id != 0) {
                EXPECT_NE(tracker.Records().Find(slot.Id), nullptr) << "popup slot";
            }
        }
    }

    ManualClock clock;
    TConfig cfg;
    TStateTexts texts;
    TDateFormats formats = SystemDateFormats(false);  // day first: the rows must follow the format given
    TLayOutTree tree;
    FakeDuty duty;
    FakeCallLog log{clock};
    FakeSound sound;
    RecordingEvents events;
    TCallTracker tracker{clock, cfg, texts, formats, tree, duty, log, sound, events};
};
