#include "devices/BindSettings.h"

#include <QRegularExpression>

bool IsButtonAddressEntry(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{0,4}$"));
    return digits.match(text).hasMatch();
}

bool IsInternalCodeEntry(const QString& text)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{0,6}$"));
    return hex.match(text).hasMatch();
}

uint16_t ButtonAddressValue(const QString& text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    return ok && IsButtonAddressEntry(text) ? uint16_t(value) : 0;
}

uint32_t InternalCodeValue(const QString& text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    return ok && IsInternalCodeEntry(text) ? value : 0xFFFFFF;
}
