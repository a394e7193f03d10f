#include "app/Subcommands.h"

#include "app/BackupCommand.h"
#include "app/BindCommand.h"
#include "app/CleanupCommand.h"
#include "app/LedCommand.h"
#include "app/MemoryCommand.h"
#include "app/RestoreCommand.h"

#include <iterator>

namespace {

const TSubcommand Subcommands[] = {
    {"led", RunLedCommand, false},
    {"memory", RunMemoryCommand, false},
    {"bind", RunBindCommand, false},
    {"backup", RunBackupCommand, false},
    {"restore", RunRestoreCommand, false},
    {"cleanup", RunCleanupCommand, false},
    {nullptr, nullptr, false},  // the end of the table
};

}  // namespace

const TSubcommand* FindSubcommand(const QString& name)
{
    for (const TSubcommand& c : Subcommands)
        if (c.Name && name == QLatin1String(c.Name))
            return &c;
    return nullptr;
}

QString SubcommandNames()
{
    QStringList names;
    for (const TSubcommand& c : Subcommands)
        if (c.Name)
            names << QLatin1String(c.Name);
    return names.join(QStringLiteral(", "));
}
