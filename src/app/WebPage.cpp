#include "app/WebPage.h"

#include "core/Environment.h"
#include "core/ResStrings.h"
#include "station/Station.h"
#include "web/WebTexts.h"

#include <QHostAddress>

TWebPage::TWebPage(TStation& station, const IClock& clock, const TEnvironment& env, const TWebSettings& settings)
    : station_(station),
      feed_(hub_, clock, env.Config, station.Tracker().Records()),
      server_(settings, env, clock, hub_)
{
    station_.SetWatcher(&feed_);
    port_ = QObject::connect(&station_, &TStation::PortStatusChanged,
                             [this](const QString& text, bool isError) { feed_.LinkChanged(text, !isError); });
}

TWebPage::~TWebPage()
{
    QObject::disconnect(port_);
    station_.SetWatcher(nullptr);
    server_.Stop();
}

bool TWebPage::Listen(const std::function<void(const QString&)>& say)
{
    QString error;
    if (!server_.Listen(&error)) {
        say(error);
        return false;
    }
    const TWebSettings& s = server_.Settings();
    say(LoadResStr(TxtWebListening).arg((s.Tls() ? QStringLiteral("https://") : QStringLiteral("http://")) + s.Address()));
    if (!s.Tls() && !QHostAddress(s.Host).isLoopback())
        say(LoadResStr(TxtWebPlainHttp).arg(s.Address()));
    return true;
}

std::unique_ptr<TWebPage> MakeWebPage(TStation& station, const IClock& clock, const TEnvironment& env,
                                      const QString& webOption, bool demo,
                                      const std::function<void(const QString&)>& say)
{
    TWebSettings settings;
    QString error;
    if (!ReadWebSettings(env.ConfigPath, env.DataDir, webOption, demo, &settings, &error)) {
        say(error);
        return nullptr;
    }
    if (!settings.Enabled())
        return nullptr;
    return std::make_unique<TWebPage>(station, clock, env, settings);
}
