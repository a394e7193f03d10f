// Any bytes as Config.ini: reading never fails or hangs, and the settings read,
// written into the file and read again are the settings first read.
#include "core/Config.h"
#include "core/IniFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IniFile ini;
    ini.Parse(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    TConfig first;
    TStateTexts firstTexts;
    ReadConfigFrom(ini, first, firstTexts);

    WriteConfigTo(ini, first);
    IniFile written;
    written.Parse(ini.ToBytes());
    TConfig second;
    TStateTexts secondTexts;
    ReadConfigFrom(written, second, secondTexts);
    if (!(first == second) || !(firstTexts == secondTexts))
        std::abort();
    return 0;
}
