#include "layout/ui/LayoutEditor.h"

bool RunLayoutEditor(QWidget*, TDM_Sys&)
{
    return false;
}
