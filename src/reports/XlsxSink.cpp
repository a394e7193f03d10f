#include "core/Failure.h"
#include "reports/ReportsTexts.h"
#include "reports/TableSink.h"

#include "core/GbkCodec.h"
#include "core/ResStrings.h"
#include "core/SaveFile.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTime>
#include <xlsxwriter.h>

namespace {

// Spreadsheet day numbers count from 30 December 1899.
double DaySerial(const QDate& d)
{
    return static_cast<double>(QDate(1899, 12, 30).daysTo(d));
}

double DayFraction(qint64 seconds)
{
    return static_cast<double>(seconds) / 86400.0;
}

// The spreadsheet writes the file under its own name; the finished file is then
// copied into the target through TSaveFile, so the target is replaced whole or not at all.
class TXlsxSink final : public ITableSink {
public:
    TXlsxSink(const QString& path, const QString& dateFormat, int sheetRows)
        : path_(path), dateFormat_(dateFormat), sheetRows_(lxw_row_t(sheetRows))
    {
    }

    ~TXlsxSink() override
    {
        if (book_)
            lxw_workbook_free(book_);   // abandoned: nothing is assembled; temp_ removes its file
    }

    bool Begin(const TTableLayout& layout) override
    {
        layout_ = layout;
        temp_.setFileTemplate(QDir::tempPath() + QStringLiteral("/callstation-XXXXXX.xlsx"));
        if (!temp_.open())
            return Fail(temp_.errorString());
        temp_.close();
        lxw_workbook_options options = {};
        options.constant_memory = LXW_TRUE;   // rows go to disk as they are written
        book_ = workbook_new_opt(QFile::encodeName(temp_.fileName()).constData(), &options);
        if (!book_)
            return Fail(QStringLiteral("Cannot create the spreadsheet %1.").arg(QDir::toNativeSeparators(path_)));
        bold_ = workbook_add_format(book_);
        format_set_bold(bold_);
        formats_.resize(layout_.Kinds.size(), nullptr);
        for (size_t c = 0; c < layout_.Kinds.size(); ++c)
            formats_[c] = FormatFor(layout_.Kinds[c]);
        return AddSheet();
    }

    bool Row(const std::vector<QVariant>& cells) override
    {
        if (!error_.isEmpty())
            return false;
        if (row_ >= sheetRows_ && !AddSheet())
            return false;
        for (size_t c = 0; c < cells.size(); ++c)
            WriteCell(lxw_col_t(c), c < layout_.Kinds.size() ? layout_.Kinds[c] : TCellKind::Text, cells[c]);
        ++row_;
        return error_.isEmpty();
    }

    bool Finish(QString* error) override
    {
        if (book_) {
            const lxw_error closed = workbook_close(book_);
            book_ = nullptr;
            if (closed != LXW_NO_ERROR)
                Fail(QString::fromUtf8(lxw_strerror(closed)));
        }
        if (error_.isEmpty())
            CopyIntoTarget();
        if (error_.isEmpty())
            return true;
        return ::Fail(error, error_);
    }

private:
    // The next sheet, with the heading, the titles and the column widths; row_ is its first data row.
    bool AddSheet()
    {
        ++sheets_;
        QString name = SheetName(layout_.SheetName);
        if (sheets_ > 1) {
            const QString more = LoadResStr(TxtReportsContinued).arg(sheets_);
            name = CutToGbkBytes(name, 31 - GbkLength(more)) + more;
        }
        sheet_ = workbook_add_worksheet(book_, name.toUtf8().constData());
        if (!sheet_)
            return Fail(QStringLiteral("The sheet name \"%1\" is not allowed.").arg(name));
        for (size_t c = 0; c < layout_.Kinds.size(); ++c) {
            const double width = c < layout_.Widths.size() ? std::max(8.0, (layout_.Widths[c] - 5) / 7.0) : 12.0;
            worksheet_set_column(sheet_, lxw_col_t(c), lxw_col_t(c), width, nullptr);
        }
        row_ = 0;
        for (const QString& line : layout_.Heading)
            Check(worksheet_write_string(sheet_, row_++, 0, line.toUtf8().constData(), bold_));
        for (int c = 0; c < layout_.Titles.size(); ++c)
            Check(worksheet_write_string(sheet_, row_, lxw_col_t(c), layout_.Titles[c].toUtf8().constData(), bold_));
        ++row_;
        worksheet_freeze_panes(sheet_, row_, 0);
        return error_.isEmpty();
    }

    lxw_format* FormatFor(TCellKind kind)
    {
        const auto numbers = [this](const QString& pattern) {
            lxw_format* f = workbook_add_format(book_);
            format_set_num_format(f, pattern.toUtf8().constData());
            return f;
        };
        switch (kind) {
        case TCellKind::Date: {
            QString pattern = dateFormat_;
            return numbers(pattern.replace(QLatin1Char('M'), QLatin1Char('m')));
        }
        case TCellKind::Time:
            return numbers(QStringLiteral("hh:mm:ss"));
        case TCellKind::Duration:
            return numbers(QStringLiteral("[hh]:mm:ss"));
        case TCellKind::Rate:
            return numbers(QStringLiteral("0.00"));
        case TCellKind::Text:
        case TCellKind::Integer:
            break;
        }
        return nullptr;
    }

    void WriteCell(lxw_col_t col, TCellKind kind, const QVariant& value)
    {
        if (value.isNull())
            return;   // an empty cell: a missing value is not shown as a real one
        lxw_format* format = formats_[col];
        if (value.typeId() == QMetaType::QString || kind == TCellKind::Text) {
            const QString text = value.toString();
            if (!text.isEmpty())
                Check(worksheet_write_string(sheet_, row_, col, text.toUtf8().constData(), nullptr));
            return;
        }
        double number = 0;
        switch (kind) {
        case TCellKind::Integer:
            number = static_cast<double>(value.toLongLong());
            break;
        case TCellKind::Rate:
            number = static_cast<double>(value.toLongLong()) / 100.0;
            break;
        case TCellKind::Date:
            number = DaySerial(value.toDate());
            break;
        case TCellKind::Time:
            number = DayFraction(value.toTime().msecsSinceStartOfDay() / 1000);
            break;
        case TCellKind::Duration:
            number = DayFraction(value.toLongLong());
            break;
        case TCellKind::Text:
            break;
        }
        Check(worksheet_write_number(sheet_, row_, col, number, format));
    }

    void CopyIntoTarget()
    {
        QFile built(temp_.fileName());
        TSaveFile target(path_);
        if (!built.open(QIODevice::ReadOnly)) {
            Fail(built.errorString());
            return;
        }
        if (!target.open(QIODevice::WriteOnly)) {
            Fail(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path_), target.errorString()));
            return;
        }
        while (!built.atEnd()) {
            const QByteArray chunk = built.read(1 << 20);
            if (chunk.isEmpty() || target.write(chunk) != chunk.size()) {
                Fail(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path_), target.errorString()));
                target.cancelWriting();
                return;
            }
        }
        if (!target.commit())
            Fail(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path_), target.errorString()));
    }

    void Check(lxw_error e)
    {
        if (e != LXW_NO_ERROR)
            Fail(QString::fromUtf8(lxw_strerror(e)));
    }

    bool Fail(const QString& why)
    {
        if (error_.isEmpty())
            error_ = why;
        return false;
    }

    const QString path_;
    const QString dateFormat_;
    const lxw_row_t sheetRows_;
    TTableLayout layout_;
    QTemporaryFile temp_;
    lxw_workbook* book_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    int sheets_ = 0;
    lxw_format* bold_ = nullptr;
    std::vector<lxw_format*> formats_;
    lxw_row_t row_ = 0;
    QString error_;
};

}  // namespace

QString SheetName(const QString& caption)
{
    QString name = GbkLength(caption) > 30 ? CutToGbkBytes(caption, 31) : caption;
    for (QChar& ch : name)
        if (QStringLiteral("[]:*?/\\").contains(ch))
            ch = QLatin1Char(' ');
    return name;
}

QString SpreadsheetPath(const QString& chosen)
{
    const QFileInfo info(chosen);
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("xlsx"))
        return chosen;
    if (suffix == QLatin1String("xls"))
        return chosen.left(chosen.size() - 3) + QStringLiteral("xlsx");
    return chosen + QStringLiteral(".xlsx");
}

std::unique_ptr<ITableSink> NewXlsxSink(const QString& path, const QString& dateFormat, int sheetRows)
{
    return std::make_unique<TXlsxSink>(path, dateFormat, sheetRows);
}

std::unique_ptr<ITableSink> NewFileSink(const QString& path, const QString& dateFormat)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv"))
        return NewCsvFileSink(path);
    if (suffix == QLatin1String("xlsx"))
        return NewXlsxSink(path, dateFormat);
    return nullptr;
}

bool WriteTable(ITableSink& sink, const TTableLayout& layout, const std::vector<std::vector<QVariant>>& rows,
                QString* error)
{
    bool ok = sink.Begin(layout);
    for (size_t r = 0; ok && r < rows.size(); ++r)
        ok = sink.Row(rows[r]);
    // Finish reports the first failure, also one of Begin or Row.
    return sink.Finish(error) && ok;
}
