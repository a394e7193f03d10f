#include "web/WebApi.h"

#include "core/Clock.h"
#include "core/ResStrings.h"
#include "operators/LoginMsg.h"
#include "web/WebData.h"
#include "web/WebHub.h"
#include "web/WebLogin.h"
#include "web/WebTexts.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

const QByteArray CookieName = "session";
const QString ApiPrefix = QStringLiteral("/api/");
const QString ReportPrefix = QStringLiteral("/api/report/");

// A route's path is the request's, or ends in "*" for any one last segment (the report's kind).
bool PathMatches(const QString& route, const QString& path)
{
    if (!route.endsWith(QLatin1Char('*')))
        return route == path;
    const QStringView prefix = QStringView(route).chopped(1);
    return path.startsWith(prefix) && path.size() > prefix.size() && !path.mid(prefix.size()).contains(QLatin1Char('/'));
}

// The page's types by suffix, fixed here: with nosniff a browser refuses a script or style sheet of
// another type, so they must not depend on the host's MIME database.
QByteArray ContentTypeOf(const QString& name)
{
    static const QHash<QString, QByteArray> types = {
        {QStringLiteral("html"), "text/html; charset=utf-8"},
        {QStringLiteral("js"), "text/javascript; charset=utf-8"},
        {QStringLiteral("css"), "text/css; charset=utf-8"},
        {QStringLiteral("json"), "application/json; charset=utf-8"},
        {QStringLiteral("webmanifest"), "application/manifest+json"},
        {QStringLiteral("txt"), "text/plain; charset=utf-8"},
        {QStringLiteral("svg"), "image/svg+xml"},
        {QStringLiteral("png"), "image/png"},
        {QStringLiteral("ico"), "image/x-icon"},
        {QStringLiteral("woff2"), "font/woff2"},
    };
    return types.value(QFileInfo(name).suffix().toLower(), "application/octet-stream");
}

bool HasDotDotSegment(const QString& path)
{
    return path.split(QLatin1Char('/')).contains(QStringLiteral(".."));
}

QByteArray CookieValue(const QByteArray& header, const QByteArray& name)
{
    for (const QByteArray& part : header.split(';')) {
        const QByteArray pair = part.trimmed();
        if (pair.startsWith(name + '='))
            return pair.mid(name.size() + 1);
    }
    return QByteArray();
}

QJsonArray PermissionBits(int32_t popedom)
{
    QJsonArray bits;
    for (int bit = 0; bit < PopedomBitCount; ++bit)
        if (HasPopedom(popedom, static_cast<TPopedomBit>(bit)))
            bits.append(bit);
    return bits;
}

}  // namespace

TWebApi::TWebApi(TEnvironment env, const IClock& clock, TWebHub& hub, TWebSessions& sessions, bool tls,
                 QString pageRoot)
    : env_(std::move(env)), clock_(clock), hub_(hub), sessions_(sessions), tls_(tls),
      pageRoot_(std::move(pageRoot))
{
    // Each route behind a session is one line: method, path, answer.
    routes_ = {
        {"POST", QStringLiteral("/api/logout"), [this](const TWebRequest& r, const TWebSession&) { return Logout(r); }},
        {"GET", QStringLiteral("/api/calls"), [this](const TWebRequest&, const TWebSession&) { return Calls(); }},
        {"GET", QStringLiteral("/api/today"), [this](const TWebRequest&, const TWebSession&) {
             return TodayReply(env_.DataDir, clock_.Today(), hub_.CallCount()); }},
        {"GET", QStringLiteral("/api/layouts"), [this](const TWebRequest&, const TWebSession&) {
             return LayoutsReply(env_.DataDir); }},
        {"GET", QStringLiteral("/api/history"), [this](const TWebRequest& r, const TWebSession& s) {
             return HistoryReply(env_.DataDir, env_.ConfigPath, env_.Formats.Display, r.Query, s.Popedom, clock_.Today()); }},
        {"GET", ReportPrefix + QStringLiteral("*"), [this](const TWebRequest& r, const TWebSession& s) {
             return ReportReply(env_.DataDir, env_.ConfigPath, env_.Formats.Display, r.Path.mid(ReportPrefix.size()), r.Query, s.Popedom,
                                clock_.Today()); }},
    };
}

QList<QPair<QByteArray, QByteArray>> TWebApi::SafetyHeaders(const QString& path)
{
    QList<QPair<QByteArray, QByteArray>> headers{
        {"Content-Security-Policy", "default-src 'self'; frame-ancestors 'none'"},
        {"X-Content-Type-Options", "nosniff"},
        {"X-Frame-Options", "DENY"},
        {"Referrer-Policy", "no-referrer"},
    };
    if (path.startsWith(ApiPrefix))
        headers.emplaceBack(QByteArray("Cache-Control"), "no-store");
    return headers;
}

bool TWebApi::IsEventStream(const TWebRequest& request)
{
    return request.Method == "GET" && request.Path == QLatin1String("/api/events");
}

std::optional<TWebSession> TWebApi::Session(const TWebRequest& request)
{
    const QByteArray token = CookieValue(request.Cookie, CookieName);
    if (token.isEmpty())
        return std::nullopt;
    return sessions_.Use(token);
}

TWebReply TWebApi::Handle(const TWebRequest& request)
{
    if (HasDotDotSegment(request.Path))
        return ErrorReply(404, LoadResStr(TxtWebNotFound));
    if (!request.Path.startsWith(ApiPrefix))
        return PageFile(request);
    if (request.Path == QLatin1String("/api/login") && request.Method == "POST")
        return Login(request);
    const std::optional<TWebSession> session = Session(request);
    if (!session)
        return ErrorReply(401, LoadResStr(TxtWebNotLoggedIn));
    for (const TRoute& route : routes_)
        if (route.Method == request.Method && PathMatches(route.Path, request.Path))
            return route.Handler(request, *session);
    return ErrorReply(404, LoadResStr(TxtWebNotFound));
}

QByteArray TWebApi::SessionCookie(const QByteArray& token, bool clear) const
{
    QByteArray cookie = CookieName + '=' + token + "; Path=/; HttpOnly; SameSite=Strict";
    if (clear)
        cookie += "; Max-Age=0";
    if (tls_)
        cookie += "; Secure";
    return cookie;
}

TWebReply TWebApi::Login(const TWebRequest& request)
{
    if (const int wait = sessions_.LockedSeconds(request.RemoteAddress)) {
        TWebReply reply = ErrorReply(429, LoadResStr(TxtWebTooManyLogins));
        reply.Headers.emplaceBack(QByteArray("Retry-After"), QByteArray::number(wait));
        return reply;
    }
    const QJsonObject body = QJsonDocument::fromJson(request.Body).object();
    const QJsonValue name = body.value(QStringLiteral("name"));
    const QJsonValue password = body.value(QStringLiteral("password"));
    if (!name.isString() || !password.isString())
        return ErrorReply(400, LoadResStr(TxtWebBadLogin));
    const TWebLogin login = CheckWebLogin(env_.DataDir, name.toString(), password.toString());
    switch (login.Result) {
    case TWebLoginResult::Refused:
        sessions_.Failed(request.RemoteAddress);
        return ErrorReply(401, LoadResStr(TxtWebLoginFailed));
    case TWebLoginResult::NoPassword:
        return ErrorReply(403, LoadResStr(TxtWebSetPasswordFirst));
    case TWebLoginResult::StoreFailed:
        return ErrorReply(500, LoadResStr(TxtWebStoreFailed).arg(login.Error));
    case TWebLoginResult::Ok:
        break;
    }
    const TLoginMsg& op = login.Operator;
    TWebReply reply = JsonReply(QJsonDocument(
        QJsonObject{{QStringLiteral("name"), op.Name}, {QStringLiteral("permissions"), PermissionBits(op.Popedom)}}));
    reply.Headers.emplaceBack(QByteArray("Set-Cookie"), SessionCookie(sessions_.Open(op.RowId, op.Name, op.Popedom), false));
    return reply;
}

TWebReply TWebApi::Logout(const TWebRequest& request)
{
    sessions_.Close(CookieValue(request.Cookie, CookieName));
    TWebReply reply;
    reply.Status = 204;
    reply.ContentType.clear();
    reply.Headers.emplaceBack(QByteArray("Set-Cookie"), SessionCookie(QByteArray(), true));
    return reply;
}

TWebReply TWebApi::Calls() const
{
    const uint32_t now = clock_.Tick();
    QJsonArray calls;
    for (const TWebCall& call : hub_.Calls())
        calls.append(CallJson(call, now));
    return JsonReply(QJsonDocument(calls));
}

TWebReply TWebApi::PageFile(const TWebRequest& request) const
{
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9._-]+$"));
    const QString name = request.Path == QLatin1String("/") ? QStringLiteral("index.html") : request.Path.mid(1);
    if (request.Method != "GET" || !plainName.match(name).hasMatch() || name == QLatin1String(".")
        || name == QLatin1String(".."))
        return ErrorReply(404, LoadResStr(TxtWebNotFound));
    // Only the page's own resources: the name never reaches the file system.
    QFile file(pageRoot_ + QLatin1Char('/') + name);
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return ErrorReply(404, LoadResStr(TxtWebNotFound));
    TWebReply reply;
    reply.ContentType = ContentTypeOf(name);
    reply.Body = file.readAll();
    return reply;
}
