#pragma once
// Address and name lookups over a layout tree, in tree order.
#include "layout/LayoutModel.h"

#include <optional>

struct TCallPointRef {
    TLayOutNode* Node = nullptr;
    int PointIndex = -1;
    QString LayoutName;
    QString PointName;
};

// The first point with this address, layouts in order, points in index order.
std::optional<TCallPointRef> FindCallPoint(const TLayOutTree& tree, uint16_t address);
// The address of the first point named pointName in a layout named layoutName (exact match).
std::optional<uint16_t> FindCallPointAddress(const TLayOutTree& tree, const QString& layoutName,
                                             const QString& pointName);
