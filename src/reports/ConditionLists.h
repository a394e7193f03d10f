#pragma once
// The lists of the history and statistics conditions dialogs: "所有" first,
// then the layouts of the tree, or the points of the chosen layout.
#include <QString>
#include <QStringList>

struct TLayOutTree;

// "所有" (allText) and every layout name, in tree order.
QStringList AreaItems(const TLayOutTree& tree, const QString& allText);
// "所有" and, unless the area's index is 0, the point names of the first layout named area.
QStringList PositionItems(const TLayOutTree& tree, int areaIndex, const QString& area, const QString& allText);
// The first item equal to text ignoring case; -1 when there is none.
int IndexIgnoringCase(const QStringList& items, const QString& text);
// The selected item as a condition: its text when an entry after "所有" is selected, else empty.
QString ChosenItem(int index, const QString& text);

class TDM_Sys;
// The Name of every row of the staff list, in table order.
QStringList StaffNames(TDM_Sys& store, QString* error = nullptr);
