#include "station/FaceActions.h"

#include "operators/LoginMsg.h"

TFaceAction FaceButtonAction(int n, const TFaceState& state)
{
    switch (n) {
    case BtnMinimise:
        return TFaceAction::Minimise;
    case BtnMaximise:
        return TFaceAction::ToggleMaximise;
    case BtnClose:
        return state.HidesToTray ? TFaceAction::HideToTray : TFaceAction::AskExit;
    case BtnLogin:
        return state.LoggedIn ? TFaceAction::Logoff : TFaceAction::Login;
    case BtnOperators:
        return HasPopedom(state.Popedom, PopOperators) ? TFaceAction::OperatorManage : TFaceAction::ChangePassword;
    case BtnBaseSet:
        return TFaceAction::BaseSet;
    case BtnLayout:
        return TFaceAction::LayoutEditor;
    case BtnStaff:
        return TFaceAction::StaffEditor;
    case BtnLedSet:
        return TFaceAction::LedSet;
    case BtnCopyData:
        return TFaceAction::CopyData;
    case BtnBindSet:
        return TFaceAction::BindSet;
    case BtnHistory:
        return TFaceAction::History;
    case BtnStatistics:
        return TFaceAction::Statistics;
    case BtnMaintenance:
        return TFaceAction::MaintenanceMenu;
    case BtnAbout:
        return TFaceAction::About;
    default:
        return TFaceAction::None;
    }
}
