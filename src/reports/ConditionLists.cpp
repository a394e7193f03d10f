#include "reports/ConditionLists.h"

#include "core/DataStore.h"
#include "core/Failure.h"
#include "layout/LayoutModel.h"

QStringList AreaItems(const TLayOutTree& tree, const QString& allText)
{
    QStringList items{allText};
    for (const auto& layout : tree.Layouts)
        items << layout->Name;
    return items;
}

QStringList PositionItems(const TLayOutTree& tree, int areaIndex, const QString& area, const QString& allText)
{
    QStringList items{allText};
    if (areaIndex == 0)
        return items;
    for (const auto& layout : tree.Layouts) {
        if (layout->Name == area) {
            for (const TLayOutPoint& p : layout->Points)
                items << p.Name;
            break;
        }
    }
    return items;
}

int IndexIgnoringCase(const QStringList& items, const QString& text)
{
    for (int i = 0; i < items.size(); ++i)
        if (items[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString ChosenItem(int index, const QString& text)
{
    return index > 0 ? text : QString();
}

QStringList StaffNames(TDM_Sys& store, QString* error)
{
    TQuery q(store);
    q.SetSQL(QStringLiteral("select * from Waiter"));
    QStringList names;
    if (!q.Open()) {
        Fail(error, q.LastError());
        return names;
    }
    for (q.First(); !q.Eof(); q.Next())
        names << q.FieldAsString(QStringLiteral("Name"));
    return names;
}
