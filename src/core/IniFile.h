#pragma once
// An initialisation file (sections of key=value lines) kept as it stands: sections, keys, comments and
// blank lines stay in file order, and lines that are not changed are written back byte for byte, so
// several owners (the settings, the LED messages) can share one file. Section and key names are matched
// without regard to case, as the Windows profile functions do. On disk the file is GBK text; it is read
// with CRLF or LF line ends and written with CRLF.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class IniFile {
public:
    // Reads the file at path. A missing file gives an empty document; a file that exists but cannot be
    // read gives false with a reason, and the document is left empty.
    bool Load(const QString& path, QString* error = nullptr);
    // Replaces the document with the content of a file.
    void Parse(const QByteArray& bytes);
    // The whole document as it goes to disk.
    QByteArray ToBytes() const;
    // Replaces the file at path in one step: when writing fails the old file stays as it was, and the
    // result is false with a reason.
    bool Save(const QString& path, QString* error = nullptr) const;

    // The value of key in section (surrounding blanks removed), or defaultValue when there is no such key.
    QString Value(const QString& section, const QString& key, const QString& defaultValue = QString()) const;
    // Replaces the key's value where it stands, or appends the key at the end of its section, or appends
    // the section at the end of the file. Line breaks in the value become blanks, so that a value can
    // never add lines of its own.
    void SetValue(const QString& section, const QString& key, const QString& value);
    // The keys of section in file order.
    QStringList Keys(const QString& section) const;
    // Removes every section of that name with all its lines.
    void RemoveSection(const QString& section);

private:
    enum class LineKind { Other, Section, Key };
    struct Line {
        QByteArray raw;  // as in the file, without its line end
        LineKind kind = LineKind::Other;
        QString name;    // section name or key
        QString value;   // key lines only
    };
    struct Range {
        size_t header;  // index of the section line
        size_t end;     // one past the section's last line
    };

    static Line ParseLine(const QByteArray& raw);
    static Line MakeLine(const QString& text);
    Range FindSection(const QString& section, size_t from = 0) const;
    Range SectionAt(size_t header) const;
    size_t FindKey(const Range& range, const QString& key) const;

    std::vector<Line> lines_;
};
