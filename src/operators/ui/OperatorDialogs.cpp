#include "operators/ui/OperatorDialogs.h"

bool RunLoginDialog(QWidget*, TDM_Sys&, TLoginMsg&) { return false; }
void RunChangePassword(QWidget*, TDM_Sys&, const TLoginMsg&) {}
void RunOperatorManage(QWidget*, TDM_Sys&, const TLoginMsg&) {}
