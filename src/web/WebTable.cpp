#include "web/WebTable.h"

#include "core/DateFormats.h"
#include "core/Failure.h"
#include "reports/TableSink.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

QJsonValue JsonCell(TCellKind kind, const QVariant& value)
{
    if (value.isNull())
        return QJsonValue::Null;
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    switch (kind) {
    case TCellKind::Integer:
    case TCellKind::Duration:
        return value.toLongLong();
    case TCellKind::Rate:
        return static_cast<double>(value.toLongLong()) / 100.0;
    case TCellKind::Date:
        return value.toDate().toString(IsoDateFormat);
    case TCellKind::Time:
        return value.toTime().toString(IsoTimeFormat);
    case TCellKind::Text:
        break;
    }
    return value.toString();
}

namespace {

class TJsonSink final : public ITableSink {
public:
    bool Begin(const TTableLayout& layout) override
    {
        layout_ = layout;
        return true;
    }
    bool Row(const std::vector<QVariant>& cells) override
    {
        QJsonObject row;
        for (size_t c = 0; c < cells.size() && c < static_cast<size_t>(layout_.Titles.size()); ++c)
            row.insert(layout_.Titles[static_cast<qsizetype>(c)],
                       JsonCell(c < layout_.Kinds.size() ? layout_.Kinds[c] : TCellKind::Text, cells[c]));
        rows_.append(row);
        return true;
    }
    bool Finish(QString*) override { return true; }

    QJsonArray Rows() const { return rows_; }

private:
    TTableLayout layout_;
    QJsonArray rows_;
};

TWebReply Download(const QByteArray& body, const QByteArray& contentType, const QString& fileName)
{
    TWebReply reply;
    reply.ContentType = contentType;
    reply.Body = body;
    // The name is one of ours, plain ASCII.
    reply.Headers.append({"Content-Disposition", "attachment; filename=\"" + fileName.toUtf8() + '"'});
    return reply;
}

}  // namespace

std::optional<TWebFormat> WebFormat(const QUrlQuery& query, QString* error)
{
    const QString format = query.queryItemValue(QStringLiteral("format"), QUrl::FullyDecoded);
    if (format.isEmpty() || format == QLatin1String("json"))
        return TWebFormat::Json;
    if (format == QLatin1String("csv"))
        return TWebFormat::Csv;
    if (format == QLatin1String("xlsx"))
        return TWebFormat::Xlsx;
    Fail(error, QStringLiteral("format: '%1' is none of json, csv, xlsx").arg(format));
    return std::nullopt;
}

TWebReply TableReply(TWebFormat format, const QString& fileName, const QString& dateFormat, const QString& failedText,
                     const std::function<bool(ITableSink& sink, QString* error)>& write)
{
    QString error;
    switch (format) {
    case TWebFormat::Json: {
        TJsonSink sink;
        if (!write(sink, &error))
            break;
        return JsonReply(QJsonDocument(sink.Rows()));
    }
    case TWebFormat::Csv: {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const auto sink = NewCsvStreamSink(buffer);
        if (!write(*sink, &error))
            break;
        return Download(buffer.data(), "text/csv; charset=utf-8", fileName + QStringLiteral(".csv"));
    }
    case TWebFormat::Xlsx: {
        // The spreadsheet is written as a file, as the command writes it, and sent whole.
        QTemporaryDir dir;
        if (!dir.isValid()) {
            error = dir.errorString();
            break;
        }
        const QString path = dir.filePath(QStringLiteral("table.xlsx"));
        if (!write(*NewXlsxSink(path, dateFormat), &error))
            break;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            error = file.errorString();
            break;
        }
        return Download(file.readAll(), "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet",
                        fileName + QStringLiteral(".xlsx"));
    }
    }
    return ErrorReply(500, failedText.arg(error));
}
