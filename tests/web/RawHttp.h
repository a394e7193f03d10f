#pragma once
// A plain TCP connection for what an HTTP client library will not send: malformed requests,
// streams left unread, connections held open without a word.
#include <QByteArray>
#include <QElapsedTimer>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

class RawConnection {
public:
    // blocking false: connect starts and returns at once (see Connected).
    explicit RawConnection(int port, bool blocking = true)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        if (!blocking)
            ::fcntl(fd_, F_SETFL, O_NONBLOCK);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(static_cast<uint16_t>(port));
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    }
    ~RawConnection() { Close(); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    int Fd() const { return fd_; }
    void Close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    // Whether a non-blocking connect completed within ms.
    bool Connected(int ms) const
    {
        pollfd p{fd_, POLLOUT, 0};
        int error = 0;
        socklen_t len = sizeof error;
        return ::poll(&p, 1, ms) == 1 && ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &len) == 0 && error == 0;
    }
    bool Send(const QByteArray& bytes) const
    {
        return ::send(fd_, bytes.constData(), static_cast<size_t>(bytes.size()), MSG_NOSIGNAL) == bytes.size();
    }
    // What arrives within ms, up to the peer's close or until the text until is in it.
    QByteArray Read(int ms, const QByteArray& until = QByteArray()) const
    {
        QByteArray got;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms && (until.isEmpty() || !got.contains(until))) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(ms - timer.elapsed())) != 1)
                break;
            char buffer[4096];
            const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            got.append(buffer, static_cast<int>(n));
        }
        return got;
    }

private:
    int fd_ = -1;
};
