#include "core/IniFile.h"

#include "core/Failure.h"
#include "core/GbkCodec.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString FileError(const QString& path, const QString& reason)
{
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason);
}

}  // namespace

bool IniFile::Load(const QString& path, QString* error)
{
    lines_.clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, FileError(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Fail(error, FileError(path, file.errorString()));
    Parse(bytes);
    return true;
}

void IniFile::Parse(const QByteArray& bytes)
{
    lines_.clear();
    QList<QByteArray> rows = bytes.split('\n');
    if (!rows.isEmpty() && rows.last().isEmpty())
        rows.removeLast();  // the line end of the last line, not a line of its own
    for (QByteArray& row : rows) {
        if (row.endsWith('\r'))
            row.chop(1);
        lines_.push_back(ParseLine(row));
    }
}

QByteArray IniFile::ToBytes() const
{
    QByteArray out;
    for (const Line& line : lines_) {
        out += line.raw;
        out += "\r\n";
    }
    return out;
}

bool IniFile::Save(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(ToBytes());
        if (file.commit())
            return true;
    }
    return Fail(error, FileError(path, file.errorString()));
}

QString IniFile::Value(const QString& section, const QString& key, const QString& defaultValue) const
{
    const Range range = FindSection(section);
    const size_t at = FindKey(range, key);
    return at < range.end ? lines_[at].value : defaultValue;
}

void IniFile::SetValue(const QString& section, const QString& key, const QString& value)
{
    QString oneLine = value;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    Line keyLine = MakeLine(key + QLatin1Char('=') + oneLine);

    const Range range = FindSection(section);
    if (range.header == lines_.size()) {
        if (!lines_.empty() && !lines_.back().raw.trimmed().isEmpty())
            lines_.push_back(MakeLine(QString()));
        lines_.push_back(MakeLine(QLatin1Char('[') + section + QLatin1Char(']')));
        lines_.push_back(std::move(keyLine));
        return;
    }
    const size_t at = FindKey(range, key);
    if (at < range.end) {
        lines_[at] = std::move(keyLine);
        return;
    }
    size_t insertAt = range.header + 1;
    for (size_t i = range.header + 1; i < range.end; ++i) {
        if (lines_[i].kind == LineKind::Key)
            insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + std::ptrdiff_t(insertAt), std::move(keyLine));
}

QStringList IniFile::Keys(const QString& section) const
{
    QStringList keys;
    const Range range = FindSection(section);
    for (size_t i = range.header + 1; i < range.end; ++i) {
        if (lines_[i].kind == LineKind::Key)
            keys << lines_[i].name;
    }
    return keys;
}

void IniFile::RemoveSection(const QString& section)
{
    for (Range range = FindSection(section); range.header < lines_.size(); range = FindSection(section, range.header))
        lines_.erase(lines_.begin() + std::ptrdiff_t(range.header), lines_.begin() + std::ptrdiff_t(range.end));
}

IniFile::Line IniFile::ParseLine(const QByteArray& raw)
{
    Line line;
    line.raw = raw;
    const QString text = FromGbk(raw).trimmed();
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        line.kind = LineKind::Section;
        line.name = text.mid(1, close < 0 ? -1 : close - 1).trimmed();
        return line;
    }
    if (text.startsWith(QLatin1Char(';')) || text.startsWith(QLatin1Char('#')))
        return line;
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return line;
    line.kind = LineKind::Key;
    line.name = text.left(equals).trimmed();
    // A value never holds a line break: a lone carriage return reads as the blank it is written as.
    line.value = text.mid(equals + 1).replace(QLatin1Char('\r'), QLatin1Char(' ')).trimmed();
    return line;
}

IniFile::Line IniFile::MakeLine(const QString& text)
{
    return ParseLine(ToGbk(text));
}

IniFile::Range IniFile::FindSection(const QString& section, size_t from) const
{
    for (size_t i = from; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::Section && SameName(lines_[i].name, section))
            return SectionAt(i);
    }
    return {lines_.size(), lines_.size()};
}

IniFile::Range IniFile::SectionAt(size_t header) const
{
    size_t end = header + 1;
    while (end < lines_.size() && lines_[end].kind != LineKind::Section)
        ++end;
    return {header, end};
}

size_t IniFile::FindKey(const Range& range, const QString& key) const
{
    for (size_t i = range.header + 1; i < range.end; ++i) {
        if (lines_[i].kind == LineKind::Key && SameName(lines_[i].name, key))
            return i;
    }
    return range.end;
}
