// Reading the arguments of script commands; every parser names what it
// expected, so a bad script line gets a clear message.
#pragma once

#include "sim/Frames.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace sim {

struct UsageError : std::runtime_error {
    explicit UsageError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// Call point address in hex, with or without 0x: 01A3, 0x1a3.
quint16 parseAddress(const QString& text);
// Decimal, or hex with 0x: 11, 0x0B.
quint8 parseKey(const QString& text);
// One byte in hex, with or without 0x.
quint8 parseHexByte(const QString& text, const char* what);
// Bytes in hex, one or more per token: "AA C0 00" or "AAC000".
QByteArray parseHexBytes(const QStringList& tokens);
int parseCount(const QString& text, const char* what, int min, int max);

bool looksLikeTime(const QString& text);
// HH:MM:SS, each two decimal digits taken as BCD (25:00:00 is allowed, to
// test how the station treats an impossible time).
BcdTime parseTime(const QString& text);


} // namespace sim
