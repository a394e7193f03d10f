#include "central/PgLink.h"

#include "core/Failure.h"

#include <QDateTime>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <libpq-fe.h>

#ifdef _WIN32
#include <winsock2.h>
#define poll WSAPoll
#else
#include <poll.h>
#endif

namespace {

qint64 Now() { return QDateTime::currentMSecsSinceEpoch(); }

QString ConnError(const PGconn* conn) { return QString::fromUtf8(PQerrorMessage(conn)).trimmed(); }

}  // namespace

TPgLink::~TPgLink() { Close(); }

bool TPgLink::CheckConnInfo(const QString& conninfo, QString* error)
{
    char* message = nullptr;
    PQconninfoOption* options = PQconninfoParse(conninfo.toUtf8().constData(), &message);
    if (options) {
        PQconninfoFree(options);
        return true;
    }
    const QString why = message ? QString::fromUtf8(message).trimmed() : QStringLiteral("out of memory");
    PQfreemem(message);
    return Fail(error, why);
}

void TPgLink::Close()
{
    if (conn_)
        PQfinish(conn_);
    conn_ = nullptr;
}

bool TPgLink::Failed(const QString& why, QString* error)
{
    Close();
    return Fail(error, why);
}

bool TPgLink::WaitSocket(bool forWrite, qint64 deadline, QString* error)
{
    pollfd fd{};
    fd.fd = PQsocket(conn_);
    fd.events = forWrite ? POLLOUT : POLLIN;
    for (;;) {
        const qint64 cap = cap_ ? cap_->load() : 0;
        const qint64 left = (cap != 0 ? std::min(deadline, cap) : deadline) - Now();
        if (left <= 0)
            return Failed(QStringLiteral("no answer from the server in time"), error);
        // In slices, so that a cap set meanwhile is seen.
        const int n = poll(&fd, 1, static_cast<int>(std::min<qint64>(left, 100)));
        if (n > 0)
            return true;
        if (n < 0 && errno != EINTR && errno != EAGAIN)
            return Failed(QStringLiteral("waiting for the server: %1").arg(QString::fromLocal8Bit(strerror(errno))),
                          error);
    }
}

bool TPgLink::Connect(const QString& conninfo, int timeoutMs, QString* error)
{
    Close();
    const qint64 deadline = Now() + timeoutMs;
    conn_ = PQconnectStart(conninfo.toUtf8().constData());
    if (!conn_)
        return Fail(error, QStringLiteral("out of memory"));
    if (PQstatus(conn_) == CONNECTION_BAD)
        return Failed(ConnError(conn_), error);
    for (;;) {
        switch (PQconnectPoll(conn_)) {
        case PGRES_POLLING_OK:
            // Texts both ways in UTF-8; sending never blocks (what the socket does not take waits in
            // libpq's buffer until Exec flushes it under its deadline).
            if (PQsetClientEncoding(conn_, "UTF8") != 0 || PQsetnonblocking(conn_, 1) != 0)
                return Failed(ConnError(conn_), error);
            return true;
        case PGRES_POLLING_FAILED:
            return Failed(ConnError(conn_), error);
        case PGRES_POLLING_READING:
            if (!WaitSocket(false, deadline, error))
                return false;
            break;
        case PGRES_POLLING_WRITING:
        default:
            if (!WaitSocket(true, deadline, error))
                return false;
            break;
        }
    }
}

bool TPgLink::Exec(const QString& statement, const QVariantList& values, int timeoutMs, QString* error,
                   std::vector<QStringList>* rows, qint64* changed)
{
    if (!conn_)
        return Fail(error, QStringLiteral("not connected"));
    const qint64 deadline = Now() + timeoutMs;
    const QByteArray sql = statement.toUtf8();
    int sent = 0;
    if (values.isEmpty()) {
        sent = PQsendQuery(conn_, sql.constData());
    } else {
        std::vector<QByteArray> texts;
        std::vector<const char*> params;
        texts.reserve(values.size());
        for (const QVariant& v : values) {
            texts.push_back(v.isNull() ? QByteArray() : v.toString().toUtf8());
            params.push_back(v.isNull() ? nullptr : texts.back().constData());
        }
        sent = PQsendQueryParams(conn_, sql.constData(), static_cast<int>(params.size()), nullptr, params.data(),
                                 nullptr, nullptr, 0);
    }
    if (!sent)
        return Failed(ConnError(conn_), error);
    // Sends what the socket did not take at once, then reads until the whole answer is in.
    for (int left = PQflush(conn_); left != 0; left = PQflush(conn_))
        if (left < 0 || !WaitSocket(true, deadline, error))
            return left < 0 ? Failed(ConnError(conn_), error) : false;
    QString failure;
    if (rows)
        rows->clear();
    if (changed)
        *changed = 0;
    for (;;) {
        while (PQisBusy(conn_)) {
            if (!WaitSocket(false, deadline, error))
                return false;
            if (!PQconsumeInput(conn_))
                return Failed(ConnError(conn_), error);
        }
        PGresult* result = PQgetResult(conn_);
        if (!result)
            break;
        const ExecStatusType status = PQresultStatus(result);
        if (status == PGRES_TUPLES_OK && rows) {
            for (int r = 0; r < PQntuples(result); ++r) {
                QStringList row;
                for (int c = 0; c < PQnfields(result); ++c)
                    row << (PQgetisnull(result, r, c) ? QString() : QString::fromUtf8(PQgetvalue(result, r, c)));
                rows->push_back(row);
            }
        } else if (status == PGRES_COMMAND_OK && changed) {
            *changed += QByteArray(PQcmdTuples(result)).toLongLong();
        } else if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK && failure.isEmpty()) {
            failure = QString::fromUtf8(PQresultErrorMessage(result)).trimmed();
        }
        PQclear(result);
    }
    if (PQstatus(conn_) == CONNECTION_BAD)
        return Failed(failure.isEmpty() ? ConnError(conn_) : failure, error);
    return failure.isEmpty() || Fail(error, failure);
}
