#pragma once
// One QSQLITE connection of its own: a unique name (Prefix-N), opened on one file with the
// given connect options and set-up statements, removed with this object. Failures are told
// apart by SQLite's result code, never by the wording of the message.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>

class QSqlError;
class QSqlQuery;

enum class TSqliteFailure {
    None,
    Busy,       // another connection holds the file (SQLITE_BUSY, SQLITE_LOCKED): try again later
    Unusable,   // the file is no database or a damaged one (SQLITE_NOTADB, SQLITE_CORRUPT)
    Other,
};

// The class of a failure reported by the QSQLITE driver.
TSqliteFailure ClassifySqliteError(const QSqlError& error);

// The engine's own words ("database is locked"), without Qt's wrapping.
QString SqliteReason(const QSqlError& error);

class TSqliteConnection {
public:
    explicit TSqliteConnection(const QString& prefix);
    ~TSqliteConnection();
    TSqliteConnection(const TSqliteConnection&) = delete;
    TSqliteConnection& operator=(const TSqliteConnection&) = delete;

    // Opens path (closing first) with Qt's connect options (QSQLITE_BUSY_TIMEOUT=0;...),
    // then runs each statement of setup. On failure the connection is closed again.
    bool Open(const QString& path, const QString& options, const QStringList& setup, QString* error = nullptr);
    void Close();
    bool IsOpen() const;
    QSqlDatabase Database() const;

    // Runs one statement with positional values; its failure is remembered for LastFailure.
    // ran, when given, receives the finished query (its inserted id, the rows it changed).
    bool Exec(const QString& statement, const QVariantList& values = {}, QString* error = nullptr,
              QSqlQuery* ran = nullptr);
    // What made the last Open or Exec fail; None when it succeeded.
    TSqliteFailure LastFailure() const { return failure_; }

private:
    bool Failed(const QSqlError& e, QString* error);

    QString name_;
    TSqliteFailure failure_ = TSqliteFailure::None;
};
