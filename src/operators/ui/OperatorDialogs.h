#pragma once
// Entry points of the operator windows, opened from the main window's face buttons.
class QWidget;
class TDM_Sys;
struct TLoginMsg;

// The login dialog; on OK fills login (logged in, name, time, permissions) and returns true.
bool RunLoginDialog(QWidget* parent, TDM_Sys& store, TLoginMsg& login);
// The change-password dialog for the logged-in operator himself.
void RunChangePassword(QWidget* parent, TDM_Sys& store, const TLoginMsg& login);
// The operator management window.
// A rename of the logged-in operator is carried into login.
void RunOperatorManage(QWidget* parent, TDM_Sys& store, TLoginMsg& login);
