#include "core/ResStrings.h"

#include "core/ResStringTable.h"

QString LoadResStr(int id)
{
    const char* text = FindResString(id);
    return text ? QString::fromUtf8(text) : QString();
}
