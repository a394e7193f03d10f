#include "reports/Cells.h"
#include "core/DateFormats.h"

#include <QDate>
#include <QTime>
#include <cstdlib>

QString DurationText(qint64 seconds)
{
    const qint64 s = std::llabs(seconds);
    return QStringLiteral("%1%2:%3:%4")
        .arg(seconds < 0 ? QStringLiteral("-") : QString())
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s % 3600 / 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString RateText(qint64 hundredths)
{
    const qint64 h = std::llabs(hundredths);
    return QStringLiteral("%1%2.%3")
        .arg(hundredths < 0 ? QStringLiteral("-") : QString())
        .arg(h / 100)
        .arg(h % 100, 2, 10, QLatin1Char('0'));
}

qint64 PassRate(qint64 calls, qint64 timeOuts)
{
    if (calls == 0)
        return 0;
    // Exact in integers: a rate that lies on a half (797 of 800 = 99.625) goes up,
    // where a binary fraction could have fallen just below it.
    const qint64 num = (calls - timeOuts) * 10000;
    const qint64 den = calls;
    const qint64 q = (2 * std::llabs(num) + den) / (2 * den);
    return num < 0 ? -q : q;
}

QString CellText(TCellKind kind, const QVariant& value, const QString& dateFormat)
{
    if (value.isNull())
        return QString();
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    switch (kind) {
    case TCellKind::Text:
    case TCellKind::Integer:
        return value.toString();
    case TCellKind::Rate:
        return RateText(value.toLongLong());
    case TCellKind::Date:
        return value.toDate().toString(dateFormat);
    case TCellKind::Time:
        return value.toTime().toString(IsoTimeFormat);
    case TCellKind::Duration:
        return DurationText(value.toLongLong());
    }
    return value.toString();
}

namespace {

// The number of two or four digits at text[at]; -1 when they are not all digits.
int Digits(const QString& text, int at, int count)
{
    int n = 0;
    for (int i = at; i < at + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c - u'0');
    }
    return n;
}

// The canonical value of a stored text, or the text itself when it does not parse.
template <typename T>
QVariant Parsed(const QVariant& stored, T (*parse)(const QString&))
{
    if (stored.isNull())
        return QVariant();
    const QString s = stored.toString();
    const T value = parse(s);
    return value.isValid() ? QVariant(value) : QVariant(s);
}

// Stored dates and times are read by hand: a history page or export converts
// thousands of them, and a format-driven parser costs several times as much.
QDate ParseDate(const QString& s)
{
    return s.size() == 10 && s[4] == u'-' && s[7] == u'-' ? QDate(Digits(s, 0, 4), Digits(s, 5, 2), Digits(s, 8, 2)) : QDate();
}

QTime ParseTime(const QString& s)
{
    return s.size() == 8 && s[2] == u':' && s[5] == u':' ? QTime(Digits(s, 0, 2), Digits(s, 3, 2), Digits(s, 6, 2)) : QTime();
}

}  // namespace

QVariant DateCell(const QVariant& stored)
{
    return Parsed(stored, ParseDate);
}

QVariant TimeCell(const QVariant& stored)
{
    return Parsed(stored, ParseTime);
}
