#pragma once
// The drop-down lists both conditions dialogs share.
#include <QString>

class QComboBox;
struct TLayOutTree;

// Refills positions from the area chosen in areas: allText (selected), then the points of that area.
void FillPositions(QComboBox* positions, const QComboBox* areas, const TLayOutTree& tree, const QString& allText);
// Selects the item equal to text ignoring case; the first ("所有") for an empty text, nothing when there is none.
void SelectItem(QComboBox* box, const QString& text);
// The chosen item as a condition: its text after "所有", else empty.
QString ChosenText(const QComboBox* box);
