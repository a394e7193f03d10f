#include "staff/ui/UserManage.h"

bool RunUserManage(QWidget* /*parent*/, TDM_Sys& /*store*/, const TLayOutTree& /*mainTree*/)
{
    return false;
}
