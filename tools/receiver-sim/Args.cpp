#include "Args.h"

#include <QRegularExpression>

namespace sim {

namespace {

QString withoutHexPrefix(const QString& text)
{
    return text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? text.mid(2) : text;
}

bool isHexDigits(const QString& text)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]+$"));
    return hex.match(text).hasMatch();
}

uint parseHex(const QString& text, int maxDigits, const QString& what)
{
    const QString digits = withoutHexPrefix(text);
    if (digits.size() > maxDigits || !isHexDigits(digits))
        throw UsageError(QStringLiteral("bad %1 '%2' (expected up to %3 hex digits)").arg(what, text).arg(maxDigits));
    return digits.toUInt(nullptr, 16);
}

} // namespace

quint16 parseAddress(const QString& text)
{
    return quint16(parseHex(text, 4, QStringLiteral("address")));
}

quint8 parseKey(const QString& text)
{
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        return quint8(parseHex(text, 2, QStringLiteral("key")));
    return quint8(parseCount(text, "key", 0, 255));
}

quint8 parseHexByte(const QString& text, const char* what)
{
    return quint8(parseHex(text, 2, QString::fromLatin1(what)));
}

QByteArray parseHexBytes(const QStringList& tokens)
{
    QByteArray bytes;
    for (const QString& token : tokens) {
        const QString digits = withoutHexPrefix(token);
        if (digits.size() % 2 != 0 || !isHexDigits(digits))
            throw UsageError(QStringLiteral("bad hex bytes '%1' (expected pairs of hex digits)").arg(token));
        bytes.append(QByteArray::fromHex(digits.toLatin1()));
    }
    return bytes;
}

int parseCount(const QString& text, const char* what, int min, int max)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || value < min || value > max)
        throw UsageError(QStringLiteral("bad %1 '%2' (expected a number from %3 to %4)")
                             .arg(QString::fromLatin1(what), text)
                             .arg(min)
                             .arg(max));
    return value;
}

bool looksLikeTime(const QString& text)
{
    static const QRegularExpression time(QStringLiteral("^[0-9]{2}:[0-9]{2}:[0-9]{2}$"));
    return time.match(text).hasMatch();
}

BcdTime parseTime(const QString& text)
{
    if (!looksLikeTime(text))
        throw UsageError(QStringLiteral("bad time '%1' (expected HH:MM:SS)").arg(text));
    // Two decimal digits read as hex are exactly their BCD byte.
    return {quint8(text.mid(0, 2).toUInt(nullptr, 16)), quint8(text.mid(3, 2).toUInt(nullptr, 16)),
            quint8(text.mid(6, 2).toUInt(nullptr, 16))};
}

} // namespace sim
