#pragma once
// One answer of the web API: made by headless code on the server's threads, sent by the server,
// which adds the safety headers every answer carries.
#include <QByteArray>
#include <QJsonDocument>
#include <QList>
#include <QPair>
#include <QString>

struct TWebReply {
    int Status = 200;
    QByteArray ContentType = "application/json; charset=utf-8";
    QByteArray Body;
    QList<QPair<QByteArray, QByteArray>> Headers;  // further headers (Set-Cookie, Retry-After, ...)
};

// 200 with the document as compact JSON.
TWebReply JsonReply(const QJsonDocument& document, int status = 200);
// An error as the API gives every error: {"error": text}.
TWebReply ErrorReply(int status, const QString& text);
