#include "reports/ui/ConditionCombos.h"

#include "reports/ConditionLists.h"

#include <QComboBox>

void FillPositions(QComboBox* positions, const QComboBox* areas, const TLayOutTree& tree, const QString& allText)
{
    positions->clear();
    positions->addItems(PositionItems(tree, areas->currentIndex(), areas->currentText(), allText));
    positions->setCurrentIndex(0);
}

void SelectItem(QComboBox* box, const QString& text)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    box->setCurrentIndex(text.isEmpty() ? 0 : IndexIgnoringCase(items, text));
}

QString ChosenText(const QComboBox* box)
{
    return ChosenItem(box->currentIndex(), box->currentText());
}
