#include "app/OperatorCommand.h"

#include "app/CommandLine.h"
#include "app/ReportOutput.h"
#include "app/Subcommands.h"
#include "core/DataStore.h"
#include "core/Environment.h"
#include "core/ResStrings.h"
#include "operators/FirstOperator.h"
#include "operators/LoginMsg.h"
#include "operators/OperatorStore.h"
#include "reports/TableSink.h"

#include <QFile>
#include <optional>

namespace {

const TOptionSpec Options[] = {
    {"permissions", "add: the new operator's permission bits (0-9), comma-separated.", "BITS"},
    {"duty", "add: the new operator's job title.", "TEXT"},
    {"set", "permissions: the operator's permission bits (0-9), comma-separated; empty for none.", "BITS"},
};

struct TAction {
    const char* Name;
    bool TakesName;
    QStringList Options;
};

const std::vector<TAction>& Actions()
{
    static const std::vector<TAction> actions = {
        {"list", false, {}},
        {"add", true, {QStringLiteral("permissions"), QStringLiteral("duty")}},
        {"passwd", true, {}},
        {"permissions", true, {QStringLiteral("set")}},
        {"remove", true, {}},
    };
    return actions;
}

// "0,4,5" as permission bits; nothing when it is not such a list.
std::optional<int32_t> PermissionBits(const QString& text)
{
    int32_t bits = 0;
    if (text.isEmpty())
        return bits;
    for (const QString& item : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int bit = item.toInt(&ok);
        if (!ok || bit < 0 || bit >= PopedomBitCount || item.size() > 1)
            return std::nullopt;
        bits |= 1 << bit;
    }
    return bits;
}

// The bits as the list shows them: "0;4;5", empty for none.
QString PermissionText(int32_t popedom)
{
    QStringList bits;
    for (int bit = 0; bit < PopedomBitCount; ++bit)
        if (HasPopedom(popedom, static_cast<TPopedomBit>(bit)))
            bits << QString::number(bit);
    return bits.join(QLatin1Char(';'));
}

int List(const TOperatorStore& operators, const QString& dateFormat)
{
    QFile standardOutput;
    TArgumentError error;
    const std::unique_ptr<ITableSink> sink = OutputSink(QString(), dateFormat, standardOutput, error);
    if (!sink)
        return ReportFailed(error.Text);
    std::vector<std::vector<QVariant>> rows;
    for (int r = 0; r < operators.Count(); ++r) {
        const TOperatorRow& row = operators.Row(r);
        const QString sex = row.Sex.isNull() ? QString() : LoadResStr(row.Sex.toBool() ? 1114 : 1115);
        rows.push_back({row.Name, PermissionText(row.Popedom), sex, row.Duty});
    }
    const TTableLayout layout{QString(),
                              {QStringLiteral("name"), QStringLiteral("permissions"), QStringLiteral("sex"),
                               QStringLiteral("duty")},
                              std::vector<TCellKind>(4, TCellKind::Text), {}, {}};
    QString why;
    if (!WriteTable(*sink, layout, rows, &why))
        return ReportFailed(LoadResStr(3118).arg(OutputName(QString()), why));
    return ExitDone;
}

// One line of standard input, without its line end.
QString PasswordLine()
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return QString();
    QByteArray line = in.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

int Refused(TOperatorCheck check, const TOperatorStore& operators)
{
    if (check == TOperatorCheck::Ok)
        return ExitDone;
    return ReportFailed(check == TOperatorCheck::StoreFailed ? operators.LastError() : LoadResStr(static_cast<int>(check)));
}

}  // namespace

int RunOperatorCommand(const TEnvironment& env, const QStringList& args)
{
    TCommandLine p("operator", Options);
    if (const auto end = p.Parse(args, env.DataDir))
        return *end;
    const QStringList words = p.Positional();
    const auto action = std::find_if(Actions().begin(), Actions().end(), [&](const TAction& a) {
        return !words.isEmpty() && words.first() == QLatin1String(a.Name);
    });
    if (action == Actions().end() || words.size() != (action->TakesName ? 2 : 1))
        return p.ReportUsage();
    for (const QString& option : p.OptionsGiven())
        if (!action->Options.contains(option))
            return ReportBadArguments(QStringLiteral("operator %1 takes no --%2").arg(words.first(), option));
    const QString verb = words.first();
    const QString name = action->TakesName ? words[1] : QString();
    const QString bitsOption = verb == QLatin1String("add") ? QStringLiteral("permissions") : QStringLiteral("set");
    const auto bits = PermissionBits(p.Value(bitsOption));
    if (!bits)
        return ReportBadArguments(QStringLiteral("--%1: '%2' is not a list of permission bits 0-9")
                                      .arg(bitsOption, p.Value(bitsOption)));
    if (verb == QLatin1String("permissions") && !p.IsSet(QStringLiteral("set")))
        return p.ReportUsage();

    TDM_Sys store;
    QString error;
    // A new data directory starts with its first operator, as the station would give it.
    if (!store.Open(env.DataDir, &error) || !EnsureFirstOperator(store, &error))
        return ReportFailed(error);
    TOperatorStore operators(store);
    if (!operators.OpenAll())
        return ReportFailed(operators.LastError());
    if (verb == QLatin1String("list"))
        return List(operators, env.Formats.Display);
    if (verb == QLatin1String("add"))
        return Refused(operators.Add(name, true, p.Value(QStringLiteral("duty")), *bits), operators);
    if (!operators.SelectName(name))
        return Refused(TOperatorCheck::UnknownName, operators);
    if (verb == QLatin1String("permissions"))
        return Refused(operators.SetPopedom(*bits), operators);
    if (verb == QLatin1String("remove")) {
        const TOperatorCheck allowed = operators.CheckDelete(TLoginMsg{});
        return Refused(allowed == TOperatorCheck::Ok ? operators.Delete() : allowed, operators);
    }
    const QString password = PasswordLine();
    if (password.isEmpty())
        return ReportFailed(LoadResStr(TxtOperatorsEmptyPassword));
    return Refused(operators.SetPassword(password), operators);
}
