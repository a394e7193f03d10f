#include "web/WebReply.h"

#include <QJsonObject>

TWebReply JsonReply(const QJsonDocument& document, int status)
{
    TWebReply reply;
    reply.Status = status;
    reply.Body = document.toJson(QJsonDocument::Compact);
    return reply;
}

TWebReply ErrorReply(int status, const QString& text)
{
    return JsonReply(QJsonDocument(QJsonObject{{QStringLiteral("error"), text}}), status);
}
