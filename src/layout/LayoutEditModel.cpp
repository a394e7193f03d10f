#include "layout/LayoutEditModel.h"

#include "core/GbkCodec.h"
#include "core/ResStrings.h"
#include "layout/LayoutLookup.h"
#include "layout/LayoutStore.h"
#include "layout/LayoutTexts.h"

#include <algorithm>
#include <stdexcept>

bool TLayOutEditModel::Load(TDM_Sys& store, QString* error)
{
    changed_ = false;
    return ReadSiteLayOutData(store, tree_, error);
}

bool TLayOutEditModel::Save(TDM_Sys& store, QString* error)
{
    if (!WriteSiteLayOutData(store, tree_, error))
        return false;
    changed_ = false;
    return true;
}

const TLayOutPoints* TLayOutEditModel::SelectedPoints() const
{
    return tree_.Selected ? &tree_.Selected->Points : nullptr;
}

int TLayOutEditModel::AddLayout()
{
    const int selected = SelectedIndex();
    const int index = selected < 0 ? LayoutCount() : selected;
    auto node = std::make_unique<TLayOutNode>();
    node->Name = LoadResStr(TxtLayoutNewLayout);
    tree_.Layouts.insert(tree_.Layouts.begin() + index, std::move(node));
    Select(index);
    changed_ = true;
    return index;
}

std::optional<QString> TLayOutEditModel::RenameLayout(int index, const QString& entered)
{
    const QString name = entered.trimmed();
    if (name.isEmpty())
        return std::nullopt;
    TLayOutNode& node = *tree_.Layouts.at(static_cast<size_t>(index));
    node.Name = GbkLength(name) > MaxLayOutNameBytes ? CutToGbkBytes(entered, MaxLayOutNameBytes) : entered;
    changed_ = true;
    return node.Name;
}

void TLayOutEditModel::DeleteLayout(int index)
{
    if (index < 0 || index >= LayoutCount())
        return;
    if (tree_.Layouts[static_cast<size_t>(index)].get() == tree_.Selected)
        tree_.Selected = nullptr;
    tree_.Layouts.erase(tree_.Layouts.begin() + index);
    changed_ = true;
}

bool TLayOutEditModel::MoveLayout(int from, int onto)
{
    if (from < 0 || onto < 0 || from >= LayoutCount() || onto >= LayoutCount() || from == onto)
        return false;
    auto& layouts = tree_.Layouts;
    if (from < onto)
        std::rotate(layouts.begin() + from, layouts.begin() + from + 1, layouts.begin() + onto);
    else
        std::rotate(layouts.begin() + onto, layouts.begin() + from, layouts.begin() + from + 1);
    changed_ = true;
    return true;
}

TLayOutPoints& TLayOutEditModel::EditedPoints()
{
    if (!tree_.Selected)
        throw std::logic_error("point edit with no layout selected");
    return tree_.Selected->Points;
}

int TLayOutEditModel::AddPoint(const TLayOutPoint& point)
{
    TLayOutPoints& points = EditedPoints();
    points.push_back(point);
    changed_ = true;
    return static_cast<int>(points.size()) - 1;
}

void TLayOutEditModel::ModifyPoint(int index, const TLayOutPoint& point)
{
    EditedPoints().at(static_cast<size_t>(index)) = point;
    changed_ = true;
}

void TLayOutEditModel::DeletePoint(int index)
{
    TLayOutPoints& points = EditedPoints();
    if (index < 0 || index >= static_cast<int>(points.size()))
        return;
    points.erase(points.begin() + index);
    changed_ = true;
}

void TLayOutEditModel::EmptyPoints()
{
    EditedPoints().clear();
    changed_ = true;
}

void TLayOutEditModel::MovePoint(int index, QPoint topLeft)
{
    TLayOutPoint& point = EditedPoints().at(static_cast<size_t>(index));
    point.XPos = topLeft.x();
    point.YPos = topLeft.y();
    changed_ = true;
}

bool TLayOutEditModel::AddressInUse(uint16_t address) const
{
    return FindCallPoint(tree_, address).has_value();
}

QPoint DraggedPointPos(const QRect& image, QPoint grab, QPoint pointer, QSize panel)
{
    constexpr int margin = 3;
    int left = std::max(image.left() + pointer.x() - grab.x(), margin);
    int top = std::max(image.top() + pointer.y() - grab.y(), margin);
    if (left + image.width() > panel.width())
        left = panel.width() - image.width();
    if (top + image.height() > panel.height())
        top = panel.height() - image.height();
    return {left, top};
}
