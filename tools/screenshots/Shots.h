#pragma once
// Letting the windows settle and saving them, for the screenshot program.
#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QThread>
#include <QWidget>
#include <functional>

// Runs the event loop a moment, and until until() holds (at most ten seconds).
inline void Settle(const std::function<bool()>& until = {})
{
    QElapsedTimer t;
    t.start();
    while (until && !until() && t.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

// Shows w and saves what it draws.
inline bool Save(QWidget& w, const QString& path)
{
    if (!w.isVisible()) {
        w.show();
        Settle();
    }
    const bool ok = w.grab().save(path);
    QTextStream(stdout) << (ok ? "saved " : "FAILED ") << path << Qt::endl;
    return ok;
}
