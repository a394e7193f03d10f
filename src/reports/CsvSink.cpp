#include "core/DateFormats.h"
#include "core/Failure.h"
#include "reports/TableSink.h"

#include "core/SaveFile.h"

#include <QIODevice>

namespace {

// Dates in a CSV file are yyyy-MM-dd whatever the screen shows: the file is read by programs.

class TCsvSink final : public ITableSink {
public:
    // file: owned and committed by Finish; otherwise the device is only written to.
    TCsvSink(QIODevice& device, std::unique_ptr<TSaveFile> file) : device_(device), file_(std::move(file)) {}

    bool Begin(const TTableLayout& layout) override
    {
        kinds_ = layout.Kinds;
        if (file_ && !file_->open(QIODevice::WriteOnly))
            return Fail(file_->errorString());
        QStringList fields;
        for (const QString& t : layout.Titles)
            fields << CsvField(t);
        return Line(fields);
    }

    bool Row(const std::vector<QVariant>& cells) override
    {
        QStringList fields;
        for (size_t c = 0; c < cells.size(); ++c)
            fields << CsvField(CellText(c < kinds_.size() ? kinds_[c] : TCellKind::Text, cells[c], IsoDateFormat));
        return Line(fields);
    }

    bool Finish(QString* error) override
    {
        if (error_.isEmpty() && file_ && !file_->commit())
            error_ = file_->errorString();
        if (error_.isEmpty())
            return true;
        return ::Fail(error, error_);
    }

private:
    bool Line(const QStringList& fields)
    {
        const QByteArray bytes = (fields.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8();
        if (error_.isEmpty() && device_.write(bytes) != bytes.size())
            return Fail(device_.errorString());
        return error_.isEmpty();
    }

    bool Fail(const QString& why)
    {
        if (error_.isEmpty())
            error_ = why;
        return false;
    }

    QIODevice& device_;
    std::unique_ptr<TSaveFile> file_;
    std::vector<TCellKind> kinds_;
    QString error_;
};

}  // namespace

QString CsvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

std::unique_ptr<ITableSink> NewCsvFileSink(const QString& path)
{
    auto file = std::make_unique<TSaveFile>(path);
    QIODevice& device = *file;
    return std::make_unique<TCsvSink>(device, std::move(file));
}

std::unique_ptr<ITableSink> NewCsvStreamSink(QIODevice& device)
{
    return std::make_unique<TCsvSink>(device, nullptr);
}
