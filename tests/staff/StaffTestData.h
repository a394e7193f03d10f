#pragma once
// Layout trees and staff grids for the staff tests.
#include "layout/LayoutModel.h"
#include "staff/StaffEdit.h"
#include "staff/TextGrid.h"

#include <memory>
#include <utility>
#include <vector>

// One layout: its name and its points as (address, name).
struct TTestLayout {
    QString Name;
    std::vector<std::pair<uint16_t, QString>> Points;
};

inline TLayOutTree MakeTree(const std::vector<TTestLayout>& layouts)
{
    TLayOutTree tree;
    tree.RootName = QStringLiteral("root");
    for (const TTestLayout& l : layouts) {
        auto node = std::make_unique<TLayOutNode>();
        node->Name = l.Name;
        for (const auto& [address, name] : l.Points) {
            TLayOutPoint p;
            p.Address = address;
            p.Name = name;
            node->Points.push_back(p);
        }
        tree.Layouts.push_back(std::move(node));
    }
    return tree;
}

// Staff rows of (number, name), male, no phone, cancel unit 0.
inline TTextGrid MakeStaff(const std::vector<std::pair<QString, QString>>& people)
{
    TTextGrid grid(StaffColumnCount);
    for (const auto& [number, name] : people)
        grid.Append({number, name, SexText(true), QString(), QStringLiteral("0"), QString()});
    return grid;
}
