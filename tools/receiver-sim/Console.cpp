#include "Console.h"

#include <cstdio>

namespace sim {

void say(const QString& line)
{
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void warn(const QString& message)
{
    std::fprintf(stderr, "receiver-sim: %s\n", message.toLocal8Bit().constData());
}

} // namespace sim
