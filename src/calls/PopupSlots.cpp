#include "calls/PopupSlots.h"

void TPopupSlots::PushNew(const std::array<QString, 3>& lines, uint64_t id)
{
    // Colours stay with the slot; the next timing pass colours the moved calls.
    for (int i = PopupSlotCount - 1; i > 0; --i) {
        slots_[i].Lines = slots_[i - 1].Lines;
        slots_[i].Id = slots_[i - 1].Id;
    }
    slots_[0].Lines = lines;
    slots_[0].Id = id;
}

void TPopupSlots::Release(uint64_t id)
{
    for (TPopupSlot& slot : slots_) {
        if (slot.Id == id)
            slot.Id = 0;
    }
}
