#pragma once
// Live calls: one record per button press, in a list from oldest to newest.
#include "core/ServiceType.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <cstdint>
#include <unordered_map>

struct TLayOutNode;

struct TCallRecord {
    TCallRecord* Next = nullptr;
    QDate CallDate;              // the station's date when recorded
    QTime CallTime;              // time of the press, from the receiver
    uint16_t Addr = 0;
    QString CallArea;            // layout name; empty when the address is on no layout
    QString CallDesktop;         // point name, or the substitute position text
    QString ServerPersonnel;     // waiter on duty when recorded
    QString UserNumber;          // that waiter's staff number; empty when not known
    uint32_t Tick = 0;           // tick when recorded
    uint8_t Key = 0;
    TLayOutNode* LayOutNode = nullptr;
    int32_t PointIndex = -1;
    uint8_t State = 0;           // 0 waiting, 1 and 2 pre-warnings, 3 timed out; only rises
    uint64_t Id = 0;             // identity kept by the views, unique among live records
    int64_t JournalId = 0;       // its entry in the journal of live calls; 0 when it could not be written
    QTime OpenedAt;              // the station's time of day when recorded (ages the call across a restart)
};

// Owns the live records. Appends at the tail; finds a record by identity.
class TCallRecordList {
public:
    TCallRecordList() = default;
    TCallRecordList(const TCallRecordList&) = delete;
    TCallRecordList& operator=(const TCallRecordList&) = delete;
    ~TCallRecordList() { Clear(); }

    TCallRecord* Append();                       // a new record with a fresh identity
    // Removes rec (whose predecessor is prev, or nullptr at the head) and returns its successor.
    // The caller owns rec afterwards and frees it with Free.
    TCallRecord* Unlink(TCallRecord* prev, TCallRecord* rec);
    static void Free(TCallRecord* rec) { delete rec; }
    void Clear();

    TCallRecord* Head() const { return head_; }
    TCallRecord* Find(uint64_t id) const;
    size_t Count() const { return byId_.size(); }

private:
    TCallRecord* head_ = nullptr;
    TCallRecord* tail_ = nullptr;
    uint64_t nextId_ = 1;
    std::unordered_map<uint64_t, TCallRecord*> byId_;
};

// Whole seconds since tick at now, across a wrap of the 32-bit counter.
uint32_t ElapsedSeconds(uint32_t tick, uint32_t now);
// Hours, minutes and seconds (hh:mm:ss) of a number of seconds; hours are not limited to two digits.
QString ElapsedText(uint32_t seconds);
