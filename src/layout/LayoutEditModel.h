#pragma once
// The layout editor's own tree and every edit made to it. Nothing reaches the
// tables before Save; the change flag tells whether there is anything to save.
#include "layout/LayoutModel.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

class TDM_Sys;

// Longest layout name, in GBK bytes.
constexpr int MaxLayOutNameBytes = 42;

class TLayOutEditModel {
public:
    // Replaces the tree with the stored layouts, root selected, nothing changed.
    bool Load(TDM_Sys& store, QString* error = nullptr);
    // Rewrites both tables from the tree; on failure the stored rows and the edits both stay.
    bool Save(TDM_Sys& store, QString* error = nullptr);

    const TLayOutTree& Tree() const { return tree_; }
    TLayOutTree& Tree() { return tree_; }
    bool Changed() const { return changed_; }
    int LayoutCount() const { return tree_.LayoutCount(); }
    const TLayOutNode& Layout(int index) const { return *tree_.Layouts.at(static_cast<size_t>(index)); }

    // -1 is the root.
    int SelectedIndex() const { return tree_.SelectedIndex(); }
    void Select(int index) { tree_.Select(index); }
    // The points of the selected layout; nullptr with the root selected.
    const TLayOutPoints* SelectedPoints() const;

    // A new empty layout just before the selected one (last when the root is
    // selected); it becomes selected. Returns its index.
    int AddLayout();
    // Stores the entered text (cut to 42 bytes when the name itself is longer);
    // a blank text is refused and the old name stays. Returns the name now held.
    std::optional<QString> RenameLayout(int index, const QString& entered);
    void DeleteLayout(int index);
    // Moves layout `from` just before layout `onto`; false when nothing moves.
    bool MoveLayout(int from, int onto);

    // Point edits on the selected layout; a layout must be selected.
    int AddPoint(const TLayOutPoint& point);   // appended; returns its index
    void ModifyPoint(int index, const TLayOutPoint& point);
    void DeletePoint(int index);               // later points move down one index
    void EmptyPoints();
    void MovePoint(int index, QPoint topLeft);

    // Whether any point of any layout of the editor's tree uses the address.
    bool AddressInUse(uint16_t address) const;

private:
    TLayOutPoints& EditedPoints();

    TLayOutTree tree_;
    bool changed_ = false;
};

// Where a dragged point image goes: the pointer moved from `grab` to `pointer`
// (both within the image); the image stays at least 3 pixels from the panel's
// left and top and, when it fits, inside the panel's right and bottom.
QPoint DraggedPointPos(const QRect& image, QPoint grab, QPoint pointer, QSize panel);
