#include "Stop.h"

#include <csignal>

namespace sim {

namespace {

volatile std::sig_atomic_t stopFlag = 0;

void onStopSignal(int)
{
    stopFlag = 1;
}

} // namespace

void installStopHandlers()
{
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a blocked poll or write returns EINTR
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

bool stopRequested()
{
    return stopFlag != 0;
}

} // namespace sim
