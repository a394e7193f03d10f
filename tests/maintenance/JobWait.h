#pragma once
// Waiting, with the event loop running, for what a dialog's job hands back; and
// another program holding a table file, which keeps a job waiting at that file.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <QWidget>
#include <functional>

// Runs the event loop until done() holds or 10 s have passed; then done().
inline bool RunEventsUntil(const std::function<bool()>& done)
{
    QDeadlineTimer deadline(10000);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return done();
}

// A dialog's job has handed back its outcome once the button that starts it is enabled again.
inline bool JobEnded(const QWidget* start)
{
    return RunEventsUntil([start] { return start->isEnabled(); });
}

// A transaction of another program on one table file: "exclusive" keeps readers out
// as well as writers, "immediate" writers only.
class TTableFileLock {
public:
    TTableFileLock(const QString& path, const QString& kind)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        locked_ = db.open() && QSqlQuery(db).exec(QStringLiteral("begin ") + kind);
    }
    ~TTableFileLock()
    {
        Release();
        QSqlDatabase::removeDatabase(name_);
    }
    bool Locked() const { return locked_; }
    void Release()
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        if (db.isOpen()) {
            QSqlQuery(db).exec(QStringLiteral("rollback"));
            db.close();
        }
    }

private:
    const QString name_ = QStringLiteral("TableFileLock");
    bool locked_ = false;
};
