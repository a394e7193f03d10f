#pragma once
// Contents of the popup call window: five slots, the newest call in slot 0.
#include "core/Config.h"

#include <QString>
#include <array>
#include <cstdint>

constexpr int PopupSlotCount = 5;

struct TPopupSlot {
    std::array<QString, 3> Lines{QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-")};
    std::array<TColor, 3> LineColors{0, 0, 0};
    TColor PanelColor = SkyBlue;  // until a state colours it
    uint64_t Id = 0;               // the live record shown; 0 when none

    friend bool operator==(const TPopupSlot&, const TPopupSlot&) = default;
};

class TPopupSlots {
public:
    // Shifts slots 0-3 to 1-4 (texts and identities, not colours) and fills slot 0.
    void PushNew(const std::array<QString, 3>& lines, uint64_t id);
    // Every slot showing that record lets it go and keeps its texts.
    void Release(uint64_t id);
    std::array<TPopupSlot, PopupSlotCount>& Slots() { return slots_; }
    const std::array<TPopupSlot, PopupSlotCount>& Slots() const { return slots_; }
    const TPopupSlot& operator[](int i) const { return slots_[i]; }

private:
    std::array<TPopupSlot, PopupSlotCount> slots_;
};
