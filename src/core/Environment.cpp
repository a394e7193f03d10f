#include "core/Environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

TEnvironment MakeEnvironment(const QString& dir, bool chineseCodePage)
{
    TEnvironment env;
    const QString d = dir.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/Data") : dir;
    env.DataDir = QDir::cleanPath(QDir(d).absolutePath());
    env.ConfigPath = env.DataDir + QStringLiteral("/Config.ini");
    ReadConfig(env.ConfigPath, env.Config, env.StateTexts);
    env.Formats = SystemDateFormats(chineseCodePage);
    return env;
}

bool SystemUsesChineseCodePage()
{
    const QByteArray forced = qgetenv("CALLSTATION_CHINESE_LOCALE");
    if (forced == "1")
        return true;
    if (forced == "0")
        return false;
    const QLocale sys = QLocale::system();
    return sys.language() == QLocale::Chinese && sys.script() != QLocale::TraditionalChineseScript
           && sys.territory() != QLocale::Taiwan && sys.territory() != QLocale::HongKong;
}
