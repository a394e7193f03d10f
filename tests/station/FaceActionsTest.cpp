// What each main-window button does for a given login and tray.
#include "operators/LoginMsg.h"
#include "station/FaceActions.h"

#include <gtest/gtest.h>

TEST(FaceActions, EachButtonByLoginPermissionAndTray)
{
    struct TNamedState {
        const char* name;
        TFaceState state;
    };
    const TNamedState loggedOut{"logged out", {}};
    const TNamedState manager{"manager", {true, 1 << PopOperators, false}};
    const TNamedState clerk{"clerk", {true, 0x3FE, false}};  // every bit but operator management
    const TNamedState tray{"tray", {false, 0, true}};
    const struct {
        int button;
        TNamedState state;
        TFaceAction action;
    } cases[] = {
        {BtnMinimise, loggedOut, TFaceAction::Minimise},
        {BtnMaximise, loggedOut, TFaceAction::ToggleMaximise},
        {BtnClose, loggedOut, TFaceAction::AskExit},
        {BtnClose, tray, TFaceAction::HideToTray},
        {BtnLogin, loggedOut, TFaceAction::Login},
        {BtnLogin, manager, TFaceAction::Logoff},
        {BtnOperators, manager, TFaceAction::OperatorManage},
        {BtnOperators, clerk, TFaceAction::ChangePassword},
        {BtnBaseSet, clerk, TFaceAction::BaseSet},
        {BtnLayout, clerk, TFaceAction::LayoutEditor},
        {BtnStaff, clerk, TFaceAction::StaffEditor},
        {BtnLedSet, clerk, TFaceAction::LedSet},
        {BtnCopyData, clerk, TFaceAction::CopyData},
        {BtnBindSet, clerk, TFaceAction::BindSet},
        {BtnHistory, clerk, TFaceAction::History},
        {BtnStatistics, clerk, TFaceAction::Statistics},
        {BtnMaintenance, clerk, TFaceAction::MaintenanceMenu},
        {BtnAbout, clerk, TFaceAction::About},
        {BtnLayoutTab, clerk, TFaceAction::None},  // tabs switch views, they run no action
        {0, clerk, TFaceAction::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FaceButtonAction(c.button, c.state.state), c.action) << "button " << c.button << ", " << c.state.name;
}
