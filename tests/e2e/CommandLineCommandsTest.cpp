// What every back-office command shares, as a nightly job meets it: --help, the
// refusal of a missing data directory, and output that holds only the command's own texts.
#include "CommandRun.h"

#include "core/DataStore.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QStringList kCommands = {"led", "memory", "bind", "backup", "restore", "cleanup", "history", "report",
                                  "central"};

TEST(CommandLineCommands, EveryCommandHasHelpAndTheStationsHelpListsThem)
{
    QTemporaryDir tmp;
    const QString missing = tmp.filePath("no-data");  // help needs no data directory
    const TCommandRun station = RunCallstation(missing, {"--help"});
    EXPECT_EQ(station.status, 0) << station.err.toStdString();
    for (const QString& name : kCommands) {
        const QString usage = "callstation [--data-dir DIR] " + name + " ";
        EXPECT_TRUE(station.out.contains(usage)) << name.toStdString() << " not in\n" << station.out.toStdString();
        for (const QStringList& args : {QStringList{name, "--help"}, QStringList{"--help", name}, QStringList{name, "-h"}}) {
            const TCommandRun r = RunCallstation(missing, args);
            const std::string what = args.join(' ').toStdString();
            EXPECT_EQ(r.status, 0) << what << ": " << r.err.toStdString();
            EXPECT_TRUE(r.out.contains(usage) && r.out.contains("--verbose")) << what << ":\n" << r.out.toStdString();
            EXPECT_TRUE(r.err.isEmpty()) << what << ": " << r.err.toStdString();
        }
    }
    EXPECT_FALSE(QDir(missing).exists());
}

TEST(CommandLineCommands, AMissingDataDirectoryIsRefusedAndStaysMissing)
{
    QTemporaryDir tmp;
    const QString missing = tmp.filePath("no-data");
    const QString file = tmp.filePath("file.dat");
    for (const QStringList& args : {QStringList{"backup", file}, QStringList{"restore", file},
                                    QStringList{"cleanup", "--through", "2024-01-01"}, QStringList{"history"},
                                    QStringList{"report", "yearly"}, QStringList{"led", "clock"},
                                    QStringList{"memory", "read", file}, QStringList{"bind", "key"}}) {
        const TCommandRun r = RunCallstation(missing, args);
        const std::string what = args.join(' ').toStdString();
        EXPECT_EQ(r.status, 2) << what << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(missing))) << what << ": " << r.err.toStdString();
        EXPECT_FALSE(QDir(missing).exists()) << what;
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList()) << what;
    }
}

TEST(CommandLineCommands, QtsOwnMessagesOnlyWithVerbose)
{
    QTemporaryDir dir;
    {
        TDM_Sys store;
        ASSERT_TRUE(store.Open(dir.path()));
    }
    // Each runs without XDG_RUNTIME_DIR, as under cron.
    for (const QStringList& args : {QStringList{"history"}, QStringList{"report", "staff"},
                                    QStringList{"report", "staff", "--out", dir.filePath("s.pdf")},
                                    QStringList{"backup", dir.filePath("b.dat")},
                                    QStringList{"cleanup", "-through", "2000-01-01"}}) {  // one dash as two
        const TCommandRun r = RunCallstation(dir.path(), args);
        EXPECT_EQ(r.status, 0) << args.join(' ').toStdString();
        EXPECT_EQ(r.err, QString()) << args.join(' ').toStdString();
    }
    const TCommandRun verbose = RunCallstation(dir.path(), {"report", "staff", "--verbose", "--out", dir.filePath("v.pdf")});
    EXPECT_EQ(verbose.status, 0);
    EXPECT_TRUE(verbose.err.contains("XDG_RUNTIME_DIR")) << verbose.err.toStdString();
}

}  // namespace
