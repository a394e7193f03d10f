#include "layout/LayoutLookup.h"

// The root holds no points, so tree order is the order of the layouts.

std::optional<TCallPointRef> FindCallPoint(const TLayOutTree& tree, uint16_t address)
{
    for (const auto& node : tree.Layouts) {
        const TLayOutPoints& points = node->Points;
        for (size_t i = 0; i < points.size(); ++i) {
            if (points[i].Address == address)
                return TCallPointRef{node.get(), static_cast<int>(i), node->Name, points[i].Name};
        }
    }
    return std::nullopt;
}

std::optional<uint16_t> FindCallPointAddress(const TLayOutTree& tree, const QString& layoutName,
                                             const QString& pointName)
{
    // A layout of that name without the point does not end the search:
    // another layout may carry the same name.
    for (const auto& node : tree.Layouts) {
        if (node->Name != layoutName)
            continue;
        for (const TLayOutPoint& p : node->Points) {
            if (p.Name == pointName)
                return p.Address;
        }
    }
    return std::nullopt;
}
