#include "app/ReportOutput.h"

#include "app/CentralChoice.h"
#include "app/CommandLine.h"
#include "core/Failure.h"
#include "core/ResStrings.h"
#include "reports/TableSink.h"

#include <QFile>

namespace {

// CSV on standard output, finished only when all of it got there: the file's own
// buffer is written out at the end, and a full disk shows only then.
class TStandardOutputSink final : public ITableSink {
public:
    explicit TStandardOutputSink(QFile& file) : file_(file), csv_(NewCsvStreamSink(file)) {}
    bool Begin(const TTableLayout& layout) override { return csv_->Begin(layout); }
    bool Row(const std::vector<QVariant>& cells) override { return csv_->Row(cells); }
    bool Finish(QString* error) override
    {
        if (!csv_->Finish(error))
            return false;
        if (file_.flush())
            return true;
        return Fail(error, file_.errorString());
    }

private:
    QFile& file_;
    std::unique_ptr<ITableSink> csv_;
};

}  // namespace

TConditionTexts CommandConditions(const TCommandLine& line)
{
    TConditionTexts given([](const QString& name) { return QStringLiteral("--") + name; });
    for (const QString& name : line.OptionsGiven())
        if (name != QLatin1String("out") && !IsCentralOption(name))
            given.Add(name, line.Value(name));
    return given;
}

std::unique_ptr<ITableSink> OutputSink(const QString& out, const QString& dateFormat, QFile& stdoutFile,
                                       TArgumentError& error)
{
    if (out.isEmpty()) {
        if (!stdoutFile.open(stdout, QIODevice::WriteOnly)) {
            error.Text = QStringLiteral("cannot write to standard output");
            return nullptr;
        }
        return std::make_unique<TStandardOutputSink>(stdoutFile);
    }
    auto sink = NewFileSink(out, dateFormat);
    if (!sink)
        error.Text = QStringLiteral("--out: %1 is neither .xlsx nor .csv").arg(out);
    return sink;
}

QString OutputName(const QString& out)
{
    return out.isEmpty() ? LoadResStr(3022) : out;
}
