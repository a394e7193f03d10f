#include "core/ui/BaseSetDialog.h"

bool RunBaseSetDialog(QWidget*, IMainFace&)
{
    return false;
}
