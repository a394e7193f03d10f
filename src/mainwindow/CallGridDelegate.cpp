#include "mainwindow/CallGridDelegate.h"

#include "calls/CallGrid.h"
#include "core/ui/Colors.h"

#include <QPainter>

std::optional<TCellColors> CallCellColors(bool header, bool selected, const QString& rowStateText,
                                          const TConfig& cfg, const TStateTexts& texts)
{
    if (header)
        return TCellColors{SkyBlue, Black};
    if (selected)
        return TCellColors{SelectionBlue, White};
    const std::pair<const QString&, TCellColors> states[] = {
        {texts.SuccessSvrText, {cfg.SuccessBkColor, cfg.SuccessTxtColor}},
        {texts.PreWarn3SvrText, {cfg.PreWarn3BkColor, cfg.PreWarn3TxtColor}},
        {texts.PreWarn1SvrText, {cfg.PreWarn1BkColor, cfg.PreWarn1TxtColor}},
        {texts.PreWarn2SvrText, {cfg.PreWarn2BkColor, cfg.PreWarn2TxtColor}},
        {texts.NormalSvrText, {cfg.NormalBkColor, cfg.NormalTxtColor}},
    };
    for (const auto& [text, colors] : states) {
        if (text == rowStateText)
            return colors;
    }
    return std::nullopt;
}

void TCallGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QString state = index.siblingAtColumn(ColState).data().toString();
    const std::optional<TCellColors> colors = CallCellColors(false, selected, state, cfg_, texts_);

    painter->save();
    painter->fillRect(option.rect, colors ? ToQColor(colors->Bk) : option.palette.color(QPalette::Base));
    painter->setPen(colors ? ToQColor(colors->Txt) : option.palette.color(QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(option.rect, Qt::AlignCenter | Qt::TextSingleLine, index.data().toString());
    painter->restore();
}
