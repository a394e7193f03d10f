#pragma once
// Runs the event loop until a condition holds: how a test waits for results
// that come back as queued calls (a worker's, a port's).
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <functional>

// True once done() holds; false when ms passed first.
inline bool PumpUntil(const std::function<bool()>& done, int ms = 3000)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}
