#pragma once
// The station's web page, put together: the hub the window thread feeds, the feed on the station's
// calls and port, and the server on its own threads.
#include "web/WebFeed.h"
#include "web/WebHub.h"
#include "web/WebServer.h"
#include "web/WebSettings.h"

#include <QMetaObject>
#include <functional>
#include <memory>

class IClock;
class TStation;
struct TEnvironment;

class TWebPage {
public:
    // Watches the station's calls and port from now on (before the station starts).
    // env: the window thread's, read there only; the server's threads get copies of what they need.
    TWebPage(TStation& station, const IClock& clock, const TEnvironment& env, const TWebSettings& settings);
    ~TWebPage();
    // Listens; says where, or why it cannot (the station runs on without the page).
    bool Listen(const std::function<void(const QString&)>& say);

private:
    TStation& station_;
    TWebHub hub_;
    TWebFeed feed_;
    TWebServer server_;
    QMetaObject::Connection port_;
};

// The page when the settings turn it on, watching the station; nothing when they do not, or when a
// value is wrong (said). Listen once the station has started.
std::unique_ptr<TWebPage> MakeWebPage(TStation& station, const IClock& clock, const TEnvironment& env,
                                      const QString& webOption, bool demo,
                                      const std::function<void(const QString&)>& say);
