#include "core/Environment.h"

#include "core/GbkCodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Whatever way the data directory is named, the environment holds it absolute and clean,
// with Config.ini inside it, its settings read and the date formats of the code page.
TEST(Environment, MadeForADataDirectory)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    ASSERT_TRUE(QDir(tmp.path()).mkpath(QStringLiteral("data")));
    QFile ini(tmp.filePath(QStringLiteral("data/Config.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Face]\r\nTitle=" + ToGbk(QStringLiteral("二楼")) + "\r\nPreWarn1Time=45\r\n");
    ini.close();
    const QString data = QDir::cleanPath(tmp.filePath(QStringLiteral("data")));
    const QString relative = QDir::current().relativeFilePath(data);

    const struct {
        const char* what;
        QString dir;
        bool chinese;
        QString format;
    } cases[] = {
        {"absolute, simplified Chinese", data, true, QStringLiteral("yyyy-MM-dd")},
        {"trailing separator and dots, elsewhere", tmp.path() + QStringLiteral("/x/../data/"), false,
         QStringLiteral("dd/MM/yyyy")},
        {"relative to the working directory", relative, true, QStringLiteral("yyyy-MM-dd")},
    };
    for (const auto& c : cases) {
        const TEnvironment env = MakeEnvironment(c.dir, c.chinese);
        EXPECT_EQ(env.DataDir, data) << c.what;
        EXPECT_EQ(env.ConfigPath, data + QStringLiteral("/Config.ini")) << c.what;
        EXPECT_EQ(env.Config.Title, QStringLiteral("二楼")) << c.what;
        EXPECT_EQ(env.Config.PreWarn1Time, 45) << c.what;
        EXPECT_EQ(env.Config.PreWarn2Time, TConfig().PreWarn2Time) << c.what;
        EXPECT_FALSE(env.StateTexts.NormalSvrText.isEmpty()) << c.what;
        EXPECT_EQ(env.Formats.Display, c.format) << c.what;
        EXPECT_EQ(env.Formats.Picker, c.format) << c.what;
    }
}

TEST(Environment, WithoutADirectoryItIsDataBesideTheProgram)
{
    const TEnvironment env = MakeEnvironment(QString(), true);
    EXPECT_EQ(env.DataDir, QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/Data")));
}

}  // namespace
