#pragma once
// The web page's answers, apart from the HTTP library: the route table, log-in and sessions,
// the live calls and the page's own files from the binary's resources. Any server thread may call.
#include "core/Environment.h"
#include "web/WebReply.h"
#include "web/WebSessions.h"

#include <QByteArray>
#include <QString>
#include <QUrlQuery>
#include <functional>
#include <optional>
#include <vector>

class IClock;
class TWebHub;

struct TWebRequest {
    QByteArray Method;
    QString Path;          // decoded
    QUrlQuery Query;
    QByteArray Body;
    QByteArray Cookie;     // the Cookie header as sent
    QString RemoteAddress;
};

class TWebApi {
public:
    // env: the server's own copy (its data directory, Config.ini and date formats).
    // pageRoot: the resource folder of the page's files (":/web").
    TWebApi(TEnvironment env, const IClock& clock, TWebHub& hub, TWebSessions& sessions, bool tls,
            QString pageRoot = QStringLiteral(":/web"));

    TWebReply Handle(const TWebRequest& request);
    // The request's session, when it carries a valid one (it counts as use).
    std::optional<TWebSession> Session(const TWebRequest& request);
    // Whether the request asks for the event stream (served by the server, after Session).
    static bool IsEventStream(const TWebRequest& request);
    // The headers every answer carries; on /api/ paths also no caching.
    static QList<QPair<QByteArray, QByteArray>> SafetyHeaders(const QString& path);

private:
    using THandler = std::function<TWebReply(const TWebRequest&, const TWebSession&)>;
    struct TRoute {
        QByteArray Method;
        QString Path;
        THandler Handler;
    };

    TWebReply Login(const TWebRequest& request);
    TWebReply Logout(const TWebRequest& request);
    TWebReply Calls() const;
    TWebReply PageFile(const TWebRequest& request) const;
    QByteArray SessionCookie(const QByteArray& token, bool clear) const;

    TEnvironment env_;
    const IClock& clock_;
    TWebHub& hub_;
    TWebSessions& sessions_;
    bool tls_;
    QString pageRoot_;
    std::vector<TRoute> routes_;  // behind a session
};
