#include "core/ApplySettings.h"

void ApplySettings(const TConfig&, IMainFace&)
{
}
