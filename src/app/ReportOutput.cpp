#include "app/ReportOutput.h"

#include "core/Paths.h"
#include "reports/TableSink.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTextStream>

void SayError(const QString& text)
{
    QTextStream(stderr) << "callstation: " << text << Qt::endl;
}

void AddValueOptions(QCommandLineParser& parser, std::initializer_list<TValueOption> options)
{
    for (const TValueOption& o : options)
        parser.addOption({QString::fromLatin1(o.Name), QString::fromLatin1(o.About), QString::fromLatin1(o.ValueName)});
}

std::optional<TArgumentError> ParseArguments(QCommandLineParser& parser, const QString& command, const QStringList& args)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList{command} + args))
        return TArgumentError{QStringLiteral("%1: %2").arg(command, parser.errorText())};
    return std::nullopt;
}

std::optional<QDate> DateOption(const QCommandLineParser& parser, const QString& name, const QDate& fallback,
                                TArgumentError& error)
{
    if (!parser.isSet(name))
        return fallback;
    const QString text = parser.value(name);
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid()) {
        error.Text = QStringLiteral("--%1: '%2' is not a date (yyyy-MM-dd)").arg(name, text);
        return std::nullopt;
    }
    return date;
}

std::optional<TArgumentError> CheckDataDir()
{
    if (!QDir(DataDir).exists())
        return TArgumentError{QStringLiteral("the data directory %1 does not exist").arg(QDir::toNativeSeparators(DataDir))};
    return std::nullopt;
}

std::unique_ptr<ITableSink> OutputSink(const QString& out, QFile& stdoutFile, TArgumentError& error)
{
    if (out.isEmpty()) {
        if (!stdoutFile.open(stdout, QIODevice::WriteOnly)) {
            error.Text = QStringLiteral("cannot write to standard output");
            return nullptr;
        }
        return NewCsvStreamSink(stdoutFile);
    }
    auto sink = NewFileSink(out, DisplayDateFormat);
    if (!sink)
        error.Text = QStringLiteral("--out: %1 is neither .xlsx nor .csv").arg(out);
    return sink;
}
