#include "comm/UnconfirmedWrites.h"

#include <algorithm>

void TUnconfirmedWrites::Taken(int64_t bytes, bool heldFrame)
{
    if (bytes > 0)
        writes_.push_back({bytes, heldFrame});
}

void TUnconfirmedWrites::Confirmed(int64_t bytes)
{
    while (bytes > 0 && !writes_.empty()) {
        TWrite& oldest = writes_.front();
        const int64_t part = std::min(bytes, oldest.Bytes);
        oldest.Bytes -= part;
        bytes -= part;
        if (oldest.Bytes == 0)
            writes_.pop_front();
    }
}

uint64_t TUnconfirmedWrites::Failed()
{
    const auto frames = std::count_if(writes_.begin(), writes_.end(), [](const TWrite& w) { return w.HeldFrame; });
    writes_.clear();
    return static_cast<uint64_t>(frames);
}
