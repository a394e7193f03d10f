#include "calls/CallRecord.h"

TCallRecord* TCallRecordList::Append()
{
    auto* rec = new TCallRecord;
    rec->Id = nextId_++;
    if (head_)
        tail_->Next = rec;
    else
        head_ = rec;
    tail_ = rec;
    byId_.emplace(rec->Id, rec);
    return rec;
}

TCallRecord* TCallRecordList::Unlink(TCallRecord* prev, TCallRecord* rec)
{
    TCallRecord* next = rec->Next;
    if (prev)
        prev->Next = next;
    else
        head_ = next;
    if (tail_ == rec)
        tail_ = prev;
    rec->Next = nullptr;
    // Once unlinked the identity names nothing, so a view still holding it finds no record.
    byId_.erase(rec->Id);
    return next;
}

void TCallRecordList::Clear()
{
    for (TCallRecord* rec = head_; rec;) {
        TCallRecord* next = rec->Next;
        delete rec;
        rec = next;
    }
    head_ = tail_ = nullptr;
    byId_.clear();
}

TCallRecord* TCallRecordList::Find(uint64_t id) const
{
    const auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
}

uint32_t ElapsedSeconds(uint32_t tick, uint32_t now)
{
    if (now >= tick)
        return (now - tick) / 1000;
    // The counter wrapped since the call was recorded.
    return (0xFFFFFFFFu - tick + now) / 1000;
}

QString ElapsedText(uint32_t seconds)
{
    return QString::asprintf("%02u:%02u:%02u", seconds / 3600, seconds % 3600 / 60, seconds % 60);
}
