#include "staff/ui/UserManage.h"

#include "core/ui/Messages.h"
#include "staff/ui/UserManageWindow.h"

bool RunUserManage(QWidget* parent, TDM_Sys& store, const TLayOutTree& mainTree)
{
    // Created for this opening only, so every opening starts from the stored tables.
    TFrm_UserManage window(parent, store, mainTree);
    QString error;
    if (!window.LoadData(&error)) {
        ShowError(parent, error);
        return false;
    }
    return window.exec() == QDialog::Accepted;
}
