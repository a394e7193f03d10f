#pragma once
// Site layouts in memory: a root entry whose children are the layouts, each
// owning the call points drawn on its floor plan.
#include "core/Config.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

constexpr uint16_t MaxPointSize = 400;
constexpr uint8_t IdleCallState = 255;

struct TLayOutPoint {
    uint16_t Address = 0;
    QString Name;
    uint8_t Shape = 0;          // 0 circle, anything else square
    TColor BkColor = SkyBlue;
    TColor TxtColor = 0;
    int32_t XPos = 0;
    int32_t YPos = 0;
    uint16_t Width = 0;
    uint16_t Height = 0;
    uint8_t TxtPos = 0;         // 0 centre, 1 top, 2 and above bottom
    // Run-time state, never stored.
    uint8_t DrawnKey = 0;
    uint8_t CallKey = 0;
    uint8_t CallState = IdleCallState;
    uint32_t StateTick = 0;
};

using TLayOutPoints = std::vector<TLayOutPoint>;

struct TLayOutNode {
    int SN = 0;                 // as stored; a layout written again is numbered anew
    QString Name;
    TLayOutPoints Points;
    int ActiveCalls = 0;
};

// The two-level tree: the root (text 1005, no points) and the layouts in stored order.
struct TLayOutTree {
    QString RootName;
    std::vector<std::unique_ptr<TLayOutNode>> Layouts;
    // The layout selected in the view; nullptr when the root is selected.
    TLayOutNode* Selected = nullptr;

    void Clear()
    {
        Selected = nullptr;
        Layouts.clear();
    }
    int LayoutCount() const { return static_cast<int>(Layouts.size()); }
    // The selected layout's position; -1 when the root is selected.
    int SelectedIndex() const
    {
        for (int i = 0; i < LayoutCount(); ++i)
            if (Layouts[static_cast<size_t>(i)].get() == Selected)
                return i;
        return -1;
    }
    // Selects the layout at index; any other index selects the root.
    void Select(int index)
    {
        Selected = index >= 0 && index < LayoutCount() ? Layouts[static_cast<size_t>(index)].get() : nullptr;
    }
};

// Face and text colour of a point in a call state (idle: sky blue on black).
struct TPointColors {
    TColor Bk;
    TColor Txt;
};
TPointColors PointColors(const TConfig& cfg, uint8_t callState);
