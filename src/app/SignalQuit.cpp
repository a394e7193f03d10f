#include "app/SignalQuit.h"

#include <QCoreApplication>

#if defined(Q_OS_UNIX)
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int signalPipe[2] = {-1, -1};

// Only what is safe inside a signal handler: one byte into the pipe the window thread watches.
void WriteSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[0], &c, 1);
}
}  // namespace

void OnTerminationSignal(std::function<void()> handler)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [handler, notifier] {
        char c;
        [[maybe_unused]] const ssize_t n = ::read(signalPipe[1], &c, 1);
        notifier->setEnabled(false);
        handler();
    });
    struct sigaction sa = {};
    sa.sa_handler = WriteSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGHUP, &sa, nullptr);
}

#elif defined(Q_OS_WIN)
#include <QMetaObject>

#include <windows.h>

namespace {
std::function<void()> consoleHandler;

// Runs on a thread of the system's: the close is queued to the window thread, which
// must finish it before this returns and the process is ended.
BOOL WINAPI OnConsoleEvent(DWORD)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), consoleHandler, Qt::BlockingQueuedConnection);
    return TRUE;
}
}  // namespace

void OnTerminationSignal(std::function<void()> handler)
{
    consoleHandler = std::move(handler);
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}
#endif
