#include "core/Paths.h"
#include "core/DateFormats.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

QString DataDir;
QString ConfigPath;
QString DisplayDateFormat = IsoDateFormat;
QString PickerDateFormat = IsoDateFormat;

void InitDataDir(const QString& dir)
{
    QString d = dir;
    if (d.isEmpty())
        d = QCoreApplication::applicationDirPath() + QStringLiteral("/Data");
    DataDir = QDir::cleanPath(QDir(d).absolutePath());
    ConfigPath = DataDir + QStringLiteral("/Config.ini");
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

void InitDateFormats(bool chineseCodePage)
{
    DisplayDateFormat = chineseCodePage ? IsoDateFormat : QStringLiteral("dd/MM/yyyy");
    PickerDateFormat = DisplayDateFormat;
}
