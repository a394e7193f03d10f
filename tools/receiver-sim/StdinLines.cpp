#include "StdinLines.h"

#include "Session.h"
#include "Stop.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <unistd.h>
#include <utility>

namespace sim {

std::optional<QByteArray> StdinLines::next(Session& session)
{
    for (;;) {
        const qsizetype newline = buffer_.indexOf('\n');
        if (newline >= 0) {
            const QByteArray line = buffer_.first(newline);
            buffer_.remove(0, newline + 1);
            return line;
        }
        if (atEnd_ || stopRequested()) {
            if (buffer_.isEmpty() || stopRequested())
                return std::nullopt;
            return std::exchange(buffer_, {});
        }
        session.awaitInput(STDIN_FILENO);
        if (stopRequested())
            continue;
        char chunk[4096];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n > 0)
            buffer_.append(chunk, n);
        else if (n == 0)
            atEnd_ = true;
        else if (errno != EINTR)
            throw std::runtime_error(std::string("read from stdin: ") + std::strerror(errno));
    }
}

} // namespace sim
