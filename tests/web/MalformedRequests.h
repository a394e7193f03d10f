#pragma once
// Requests no browser sends: the corpus replayed against the server by the web tests and by the
// whole-station test. Each must get a 4xx answer or a closed connection, never a crash or a hang.
#include <QByteArray>
#include <vector>

struct MalformedRequest {
    const char* what;
    QByteArray bytes;
};

inline std::vector<MalformedRequest> MalformedRequests()
{
    const QByteArray host = "Host: station\r\n";
    return {
        {"not HTTP", "garbage\r\n\r\n"},
        {"method only", "GET\r\n\r\n"},
        {"unknown version", "GET /api/calls HTTP/9.9\r\n\r\n"},
        {"header without a colon", "GET /api/calls HTTP/1.1\r\n" + host + "NoColonHere\r\n\r\n"},
        {"negative length", "POST /api/login HTTP/1.1\r\n" + host + "Content-Length: -1\r\n\r\n"},
        {"length past 64 bits", "POST /api/login HTTP/1.1\r\n" + host + "Content-Length: 99999999999999999999999\r\n\r\n"},
        {"length over the limit", "POST /api/login HTTP/1.1\r\n" + host + "Content-Length: 70000\r\n\r\n{"},
        {"chunk size not hex", "POST /api/login HTTP/1.1\r\n" + host + "Transfer-Encoding: chunked\r\n\r\nZZ\r\n"},
        {"chunk size past 64 bits",
         "POST /api/login HTTP/1.1\r\n" + host + "Transfer-Encoding: chunked\r\n\r\nFFFFFFFFFFFFFFFFFF\r\nx\r\n"},
        {"chunks over the limit",
         "POST /api/login HTTP/1.1\r\n" + host + "Transfer-Encoding: chunked\r\n\r\n10001\r\n" + QByteArray(0x10001, 'a')
             + "\r\n0\r\n\r\n"},
        {"header of 100 KiB", "GET /api/calls HTTP/1.1\r\n" + host + "X-Long: " + QByteArray(100 * 1024, 'a') + "\r\n\r\n"},
        {"NUL in the path", QByteArray("GET /\0/index.html HTTP/1.1\r\n", 29) + host + "\r\n"},
        {"bad percent escape", "GET /%zz% HTTP/1.1\r\n" + host + "\r\n"},
        {"escaped NUL", "GET /%00 HTTP/1.1\r\n" + host + "\r\n"},
        {"backslashes up", "GET /..\\..\\etc\\passwd HTTP/1.1\r\n" + host + "\r\n"},
        {"absolute URL up", "GET http://station/../../etc/passwd HTTP/1.1\r\n" + host + "\r\n"},
        {"bad query", "GET /api/calls?%%%&&==&%zz HTTP/1.1\r\n" + host + "\r\n"},
        {"log-in nested deep",
         "POST /api/login HTTP/1.1\r\n" + host + "Content-Type: application/json\r\nContent-Length: 20000\r\n\r\n"
             + QByteArray(20000, '[')},
        {"log-in not UTF-8",
         "POST /api/login HTTP/1.1\r\n" + host + "Content-Length: 29\r\n\r\n{\"name\":\"\xff\xfe\",\"password\":\"\x80\"}"},
        {"forged session", "GET /api/events HTTP/1.1\r\n" + host + "Cookie: session=" + QByteArray(4000, 'A') + "\r\n\r\n"},
        {"unknown method", "BREW /api/calls HTTP/1.1\r\n" + host + "\r\n"},
        {"cut off headers", "GET /api/calls HTTP/1.1\r\nHost: sta"},
    };
}

// Whether what the server sent back is a 4xx answer or nothing at all (it closed).
inline bool RefusedOrClosed(const QByteArray& answer)
{
    return answer.isEmpty() || (answer.startsWith("HTTP/1.1 4") && answer.size() > 12);
}
