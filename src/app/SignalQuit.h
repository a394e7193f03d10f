#pragma once
// SIGINT, SIGTERM and SIGHUP (a console's Ctrl+C or close on Windows) close the
// station as closing its main window does: the signal is turned into a call on
// the window thread.
#include <functional>

void OnTerminationSignal(std::function<void()> handler);
