#include "app/CentralChoice.h"

#include "app/CommandLine.h"
#include "central/CentralSettings.h"
#include "central/CentralTexts.h"
#include "central/PgLink.h"
#include "core/Environment.h"
#include "core/ResStrings.h"

bool IsCentralOption(const QString& name)
{
    return name == QLatin1String("central") || name == QLatin1String("connect") || name == QLatin1String("site");
}

std::optional<TArgumentError> ReadCentralChoice(const TEnvironment& env, const TCommandLine& line,
                                                TCentralChoice& choice)
{
    const QString connect = QStringLiteral("connect");
    choice.Chosen = line.IsSet(QStringLiteral("central")) || line.IsSet(connect);
    choice.Scope.Sites = line.Values(QStringLiteral("site"));
    choice.Scope.Sites.removeDuplicates();
    if (!choice.Chosen)
        return choice.Scope.Sites.isEmpty() ? std::nullopt
                                            : std::optional(TArgumentError{LoadResStr(TxtCentralSiteWithout)});
    choice.Connect = line.IsSet(connect) ? line.Value(connect) : ReadCentralSettings(env.ConfigPath).Connect;
    if (choice.Connect.trimmed().isEmpty())
        return TArgumentError{LoadResStr(TxtCentralNotConfigured)};
    QString why;
    if (!TPgLink::CheckConnInfo(choice.Connect, &why))
        return TArgumentError{QStringLiteral("--connect: %1").arg(why)};
    return std::nullopt;
}
