// The floor plans as the layout view reads them.
#include "web/WebData.h"

#include "core/DataStore.h"
#include "core/ResStrings.h"
#include "layout/LayoutStore.h"
#include "web/WebTexts.h"

#include <QJsonArray>
#include <QJsonObject>

TWebReply LayoutsReply(const QString& dataDir)
{
    TDM_Sys store;
    TLayOutTree tree;
    QString error;
    if (!store.Open(dataDir, &error) || !ReadSiteLayOutData(store, tree, &error))
        return ErrorReply(500, LoadResStr(TxtWebLayoutsUnreadable).arg(error));
    QJsonArray layouts;
    for (const auto& layout : tree.Layouts) {
        QJsonArray points;
        for (const TLayOutPoint& p : layout->Points)
            points.append(QJsonObject{{QStringLiteral("address"), p.Address},
                                      {QStringLiteral("name"), p.Name},
                                      {QStringLiteral("x"), p.XPos},
                                      {QStringLiteral("y"), p.YPos},
                                      {QStringLiteral("width"), p.Width},
                                      {QStringLiteral("height"), p.Height},
                                      {QStringLiteral("shape"), p.Shape == 0 ? QStringLiteral("circle")
                                                                             : QStringLiteral("square")}});
        layouts.append(QJsonObject{{QStringLiteral("sn"), layout->SN},
                                   {QStringLiteral("name"), layout->Name},
                                   {QStringLiteral("points"), points}});
    }
    return JsonReply(QJsonDocument(layouts));
}
