#include "web/WebSettings.h"

#include "core/Failure.h"
#include "core/IniFile.h"
#include "core/ResStrings.h"
#include "web/WebTexts.h"

#include <QDir>
#include <QRegularExpression>

namespace {

const QString DemoListen = QStringLiteral("127.0.0.1:8080");

bool ApplyListen(const QString& text, TWebSettings* settings, QString* error)
{
    const std::optional<TListenAddress> address = ParseListen(text);
    if (!address)
        return Fail(error, LoadResStr(TxtWebBadListen).arg(text));
    settings->Host = address->Host;
    settings->Port = address->Port;
    return true;
}

}  // namespace

QString TWebSettings::Address() const
{
    const QString host = Host.contains(QLatin1Char(':')) ? QLatin1Char('[') + Host + QLatin1Char(']') : Host;
    return host + QLatin1Char(':') + QString::number(Port);
}

std::optional<TListenAddress> ParseListen(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^(?:(?:\[([0-9A-Fa-f:.]+)\]|([A-Za-z0-9.-]+)):)?([0-9]{1,5})$)"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const int port = m.captured(3).toInt();
    if (port < 1 || port > 65535)
        return std::nullopt;
    QString host = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
    if (host.isEmpty())
        host = QStringLiteral("127.0.0.1");
    return TListenAddress{host, port};
}

bool ReadWebSettings(const QString& configPath, const QString& dataDir, const QString& webOption, bool demo,
                     TWebSettings* settings, QString* error)
{
    *settings = TWebSettings();
    IniFile ini;
    QString why;
    if (!ini.Load(configPath, &why))
        return Fail(error, why);
    const QString section = QStringLiteral("Web");
    const QDir data(dataDir);
    const auto file = [&](const QString& key) {
        const QString name = ini.Value(section, key);
        return name.isEmpty() ? name : QDir::cleanPath(data.absoluteFilePath(name));
    };
    settings->Certificate = file(QStringLiteral("Certificate"));
    settings->Key = file(QStringLiteral("Key"));
    const QString listen = ini.Value(section, QStringLiteral("Listen"));
    if (!webOption.isEmpty())
        return ApplyListen(webOption, settings, error);
    if (!listen.isEmpty())
        return ApplyListen(listen, settings, error);
    return !demo || ApplyListen(DemoListen, settings, error);
}
