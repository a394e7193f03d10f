#include "app/CommandLine.h"

#include "app/QtMessages.h"
#include "core/Failure.h"

#include <QDir>
#include <QTextStream>
#include <cerrno>
#include <cstdio>
#include <cstring>

TCommandLine::TCommandLine(const char* command, std::span<const TOptionSpec> options)
    : command_(QString::fromLatin1(command))
{
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (const TSubcommand* c = FindSubcommand(command_))
        usage_ = QStringLiteral("callstation [--data-dir DIR] ") + QString::fromUtf8(c->Usage);
    for (const TOptionSpec& o : options) {
        if (o.ValueName)
            parser_.addOption({QString::fromLatin1(o.Name), QString::fromUtf8(o.About), QString::fromLatin1(o.ValueName)});
        else
            parser_.addOption({QString::fromLatin1(o.Name), QString::fromUtf8(o.About)});
    }
    parser_.addHelpOption();
    parser_.addOption({QStringLiteral("verbose"), QStringLiteral("Also show Qt's own messages on standard error.")});
}

bool TCommandLine::ParseQuietly(const QStringList& args)
{
    return parser_.parse(QStringList{QStringLiteral("callstation ") + command_} + args);
}

std::optional<int> TCommandLine::Parse(const QStringList& args, const QString& dataDir)
{
    if (!ParseQuietly(args))
        return ReportBadArguments(command_ + QStringLiteral(": ") + parser_.errorText());
    if (parser_.isSet(QStringLiteral("help")) || parser_.isSet(QStringLiteral("help-all"))) {
        // Qt's usage line names the program only: the command's own takes its place.
        const QString options = parser_.helpText();
        PrintLine(QStringLiteral("Usage: ") + usage_ + QStringLiteral("\n\n") + options.mid(options.indexOf(QLatin1String("\n\n"))).trimmed());
        return ExitDone;
    }
    ShowQtMessages(parser_.isSet(QStringLiteral("verbose")));
    // Every command works on the data directory; none may create a mistyped one.
    if (!QDir(dataDir).exists())
        return ReportBadArguments(QStringLiteral("the data directory %1 does not exist").arg(QDir::toNativeSeparators(dataDir)));
    return std::nullopt;
}

QStringList TCommandLine::OptionsGiven() const
{
    QStringList given = parser_.optionNames();
    given.removeAll(QStringLiteral("verbose"));
    return given;
}

int TCommandLine::ReportUsage() const
{
    return ReportBadArguments(QStringLiteral("usage: ") + usage_);
}

namespace {

int StandardOutputErrno = 0;  // the first failure of a write to standard output

}  // namespace

void PrintLine(const QString& text)
{
    const QByteArray line = text.toUtf8() + '\n';
    const bool written = std::fwrite(line.constData(), 1, size_t(line.size()), stdout) == size_t(line.size())
                         && std::fflush(stdout) == 0;
    if (!written && !StandardOutputErrno)
        StandardOutputErrno = errno;
}

bool StandardOutputWritten(QString* why)
{
    if (std::fflush(stdout) != 0 && !StandardOutputErrno)
        StandardOutputErrno = errno;
    if (!StandardOutputErrno && !std::ferror(stdout))
        return true;
    return Fail(why, QString::fromLocal8Bit(std::strerror(StandardOutputErrno ? StandardOutputErrno : EIO)));
}

void PrintError(const QString& text)
{
    QTextStream(stderr) << text << Qt::endl;
}

int ReportDone(const QString& text)
{
    PrintLine(text);
    return ExitDone;
}

int ReportFailed(const QString& text)
{
    PrintError(text);
    return ExitFailed;
}

int ReportBadArguments(const QString& text)
{
    PrintError(QStringLiteral("callstation: ") + text);
    return ExitBadArguments;
}
