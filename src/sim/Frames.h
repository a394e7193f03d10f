// Frames the receiver sends, and the acknowledgement the station owes for
// each, encoded from the line protocol alone: nothing here is shared with the
// station, so a disagreement between the two shows up on the line.
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

class QTime;

namespace sim {

// Fields a receiver stamps into every frame (the low nibble of the class byte
// and bytes 2-4); the station must copy them into its acknowledgements.
struct Header {
    quint8 classNibble = 0;
    quint8 f2 = 0;
    quint8 f3 = 0;
    quint8 f4 = 0;
};

// Time of day of a press, one BCD byte each (10:25:07 is 10 25 07).
struct BcdTime {
    quint8 hours = 0;
    quint8 minutes = 0;
    quint8 seconds = 0;
};

BcdTime bcdOf(const QTime& t);
BcdTime bcdNow();

constexpr quint8 kSync = 0xAA;
constexpr quint8 kEnd = 0x55;
constexpr quint8 kMidCall = 0x91;
constexpr quint8 kMidCancel = 0x92;
constexpr quint8 kVarCall = 0x81;
constexpr quint8 kVarCancelKey = 0x0A;

// A variable call frame carries 6 bytes of address, key and time, then an
// unused field (6 bytes without a name, 7 with one), then the name.
int varUnusedBytes(bool named);
constexpr int kMaxVarLength = 246;
constexpr int kMaxNameBytes = kMaxVarLength - 13;

quint8 checksum(const QByteArray& bytes);

// Appends the checksum of all bytes so far and the end byte.
QByteArray sealed(QByteArray head);

QByteArray shortFrame(const Header& header, quint8 command, quint8 data);
QByteArray midFrame(const Header& header, quint8 command, quint8 cancelUnit, quint16 address, quint8 key,
                    const BcdTime& time);
// tail: bytes that end the unused field (at most varUnusedBytes(named));
// name: at most kMaxNameBytes single-byte characters.
QByteArray varCallFrame(const Header& header, quint16 address, quint8 key, const BcdTime& time,
                        const QByteArray& tail, const QByteArray& name);

// Bytes as upper-case hex pairs separated by blanks: "AA C0 00".
QString hexText(const QByteArray& bytes);

// True when the bytes are exactly one frame with a known class, the length
// that class implies, a matching checksum and the end byte.
bool isWellFormed(const QByteArray& frame);

// The acknowledgement the station must send for a frame; none for a frame that
// is not well formed or whose class and command go unacknowledged.
std::optional<QByteArray> acknowledgementFor(const QByteArray& frame);

} // namespace sim
