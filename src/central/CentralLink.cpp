#include "central/CentralLink.h"

#include "central/CentralTexts.h"
#include "core/ResStrings.h"

QString CentralLinkText(const TCentralLinkState& state)
{
    switch (state.Link) {
    case TCentralLinkState::TLink::Connecting:
        return LoadResStr(TxtCentralConnecting);
    case TCentralLinkState::TLink::Up:
        return state.Backlog == 0 ? LoadResStr(TxtCentralUp) : LoadResStr(TxtCentralShipping).arg(state.Backlog);
    case TCentralLinkState::TLink::Away:
        break;
    }
    return LoadResStr(TxtCentralAway).arg(state.Backlog);
}
