#include "XlsxContent.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <vector>
#include <zip.h>

namespace {

QByteArray Entry(zip_t* archive, const char* name)
{
    zip_stat_t st;
    if (zip_stat(archive, name, 0, &st) != 0)
        return {};
    zip_file_t* f = zip_fopen(archive, name, 0);
    if (!f)
        return {};
    QByteArray data(static_cast<qsizetype>(st.size), '\0');
    const zip_int64_t n = zip_fread(f, data.data(), st.size);
    zip_fclose(f);
    return n == static_cast<zip_int64_t>(st.size) ? data : QByteArray();
}

struct CellStyle {
    QString format;
    bool bold = false;
};

// The format code and boldness of the cell styles, by style index.
std::vector<CellStyle> StyleFormats(const QByteArray& styles)
{
    // Built-in number formats the writer may choose instead of its own.
    std::map<int, QString> codes = {{0, {}}, {2, "0.00"}, {14, "m/d/yy"}, {21, "h:mm:ss"}, {46, "[h]:mm:ss"}};
    std::vector<bool> boldFonts;
    std::vector<CellStyle> formats;
    QXmlStreamReader xml(styles);
    bool inCellXfs = false, inFonts = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("cellXfs"))
            inCellXfs = false;
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("fonts"))
            inFonts = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("numFmt"))
            codes[xml.attributes().value("numFmtId").toInt()] = xml.attributes().value("formatCode").toString();
        else if (xml.name() == QLatin1String("fonts"))
            inFonts = true;
        else if (inFonts && xml.name() == QLatin1String("font"))
            boldFonts.push_back(false);
        else if (inFonts && xml.name() == QLatin1String("b") && !boldFonts.empty())
            boldFonts.back() = true;
        else if (xml.name() == QLatin1String("cellXfs"))
            inCellXfs = true;
        else if (inCellXfs && xml.name() == QLatin1String("xf")) {
            const size_t font = xml.attributes().value("fontId").toUInt();
            formats.push_back({codes[xml.attributes().value("numFmtId").toInt()], font < boldFonts.size() && boldFonts[font]});
        }
    }
    return formats;
}

}  // namespace

XlsxContent ReadXlsx(const QString& path, int sheetNumber)
{
    XlsxContent content;
    int err = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &err);
    if (!archive) {
        content.error = QStringLiteral("not a zip archive (%1)").arg(err);
        return content;
    }
    const QByteArray workbook = Entry(archive, "xl/workbook.xml");
    const QByteArray sheet = Entry(archive, QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheetNumber).toUtf8().constData());
    const QByteArray styles = Entry(archive, "xl/styles.xml");
    zip_close(archive);
    if (workbook.isEmpty() || sheet.isEmpty()) {
        content.error = QStringLiteral("no workbook or sheet in the archive");
        return content;
    }

    QXmlStreamReader book(workbook);
    while (!book.atEnd())
        if (book.readNext() == QXmlStreamReader::StartElement && book.name() == QLatin1String("sheet"))
            content.sheetNames << book.attributes().value("name").toString();
    content.sheetName = content.sheetNames.value(sheetNumber - 1);

    const std::vector<CellStyle> formats = StyleFormats(styles);
    QXmlStreamReader xml(sheet);
    QString ref;
    XlsxCell cell;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement && xml.name() == QLatin1String("c")) {
            ref = xml.attributes().value("r").toString();
            cell = {xml.attributes().value("t").toString(), {}, {}, false};
            if (cell.type.isEmpty())
                cell.type = QStringLiteral("n");
            const int style = xml.attributes().value("s").toInt();
            if (style >= 0 && style < static_cast<int>(formats.size())) {
                cell.format = formats[static_cast<size_t>(style)].format;
                cell.bold = formats[static_cast<size_t>(style)].bold;
            }
        } else if (token == QXmlStreamReader::StartElement && xml.name() == QLatin1String("pane")
                   && xml.attributes().value("state") == QLatin1String("frozen")) {
            content.frozenRows = xml.attributes().value("ySplit").toInt();
        } else if (token == QXmlStreamReader::StartElement && (xml.name() == QLatin1String("v") || xml.name() == QLatin1String("t"))) {
            cell.value += xml.readElementText();
        } else if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("c")) {
            content.cells[ref] = cell;
            QString digits = ref;
            digits.remove(QRegularExpression(QStringLiteral("[A-Z]")));
            content.rows = std::max(content.rows, digits.toInt());
        }
    }
    if (xml.hasError())
        content.error = xml.errorString();
    return content;
}
