#include "central/CentralSettings.h"

#include "core/IniFile.h"

#include <QSysInfo>

TCentralSettings ReadCentralSettings(const QString& configPath)
{
    IniFile ini;
    ini.Load(configPath);
    const QString section = QStringLiteral("Central");
    TCentralSettings s;
    s.Connect = ini.Value(section, QStringLiteral("Connect"));
    s.Site = ini.Value(section, QStringLiteral("Site"));
    if (s.Site.isEmpty())
        s.Site = QSysInfo::machineHostName();
    return s;
}
