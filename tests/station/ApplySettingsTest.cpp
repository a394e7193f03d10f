#include "station/ApplySettings.h"

#include "station/AutoRun.h"
#include "support/ScopedConfigHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class FakeFace final : public IMainFace {
public:
    void SetCaption(const QString& title) override { Calls << QStringLiteral("caption:") + title; }
    void RepaintGrids() override { Calls << QStringLiteral("repaint"); }
    bool TrayIconShown() const override { return TrayShown; }
    void CreateTrayIcon() override
    {
        Calls << QStringLiteral("tray+");
        TrayShown = true;
    }
    void DestoryTrayIcon() override
    {
        Calls << QStringLiteral("tray-");
        TrayShown = false;
    }
    void ChangePort() override { Calls << QStringLiteral("port"); }

    QStringList Calls;
    bool TrayShown = false;
};

class ApplySettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(home_.IsValid()); }

    ScopedConfigHome home_;
    FakeFace face_;
    TConfig cfg_;
};

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST_F(ApplySettingsTest, AppliesCaptionGridsTrayAndPortInOrder)
{
    cfg_.Title = QStringLiteral("二楼呼叫");
    cfg_.TrayIcon = true;
    ApplySettings(cfg_, QString(), face_);
    EXPECT_EQ(face_.Calls, (QStringList{QStringLiteral("caption:二楼呼叫"), QStringLiteral("repaint"),
                                        QStringLiteral("tray+"), QStringLiteral("port")}));
}

TEST_F(ApplySettingsTest, TogglesTrayIconOnlyWhenItDiffers)
{
    cfg_.TrayIcon = true;
    face_.TrayShown = true;
    ApplySettings(cfg_, QString(), face_);
    EXPECT_FALSE(face_.Calls.contains(QStringLiteral("tray+")));
    EXPECT_FALSE(face_.Calls.contains(QStringLiteral("tray-")));

    cfg_.TrayIcon = false;
    face_.Calls.clear();
    ApplySettings(cfg_, QString(), face_);
    EXPECT_TRUE(face_.Calls.contains(QStringLiteral("tray-")));
    EXPECT_FALSE(face_.TrayShown);

    face_.Calls.clear();
    ApplySettings(cfg_, QString(), face_);
    EXPECT_FALSE(face_.Calls.contains(QStringLiteral("tray-")));
    EXPECT_TRUE(face_.Calls.contains(QStringLiteral("port")));
}

#ifndef Q_OS_WIN

TEST_F(ApplySettingsTest, AutoRunWritesAndRemovesTheAutostartEntry)
{
    const QString entry = home_.Path() + QStringLiteral("/autostart/callstation.desktop");
    ASSERT_EQ(AutoStartEntryPath(), entry);

    cfg_.AutoRun = true;
    ApplySettings(cfg_, QString(), face_);
    const QString text = ReadText(entry);
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nType=Application\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nExec=\"") + QCoreApplication::applicationFilePath() + QLatin1Char('"')));

    cfg_.AutoRun = false;
    ApplySettings(cfg_, QString(), face_);
    EXPECT_FALSE(QFileInfo::exists(entry));
    // Off again with no entry: nothing to remove, nothing fails.
    ApplySettings(cfg_, QString(), face_);
    EXPECT_FALSE(QFileInfo::exists(entry));
}

TEST_F(ApplySettingsTest, AutoRunThatCannotBeWrittenChangesNothingSilently)
{
    // A plain file where the autostart folder belongs.
    QFile blocker(home_.Path() + QStringLiteral("/autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    cfg_.AutoRun = true;
    ApplySettings(cfg_, QString(), face_);
    EXPECT_TRUE(QFileInfo(blocker.fileName()).isFile());
    EXPECT_TRUE(face_.Calls.contains(QStringLiteral("port")));
}

TEST(AutoRunCommand, NamesTheDataDirectoryOnlyWhenItIsNotTheDefault)
{
    const QString exe = QCoreApplication::applicationFilePath();
    EXPECT_EQ(AutoRunCommand(QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/Data"))),
              QStringList{exe});
    EXPECT_EQ(AutoRunCommand(QStringLiteral("/srv/station data")),
              (QStringList{exe, QStringLiteral("--data-dir"), QStringLiteral("/srv/station data")}));
}

TEST(AutoRunCommand, ExecLineQuotesEveryArgumentAsDesktopEntriesRequire)
{
    EXPECT_EQ(DesktopExecLine({QStringLiteral("/opt/call station/callstation"), QStringLiteral("--data-dir"),
                               QStringLiteral("/srv/a$b%c\\d\"e`f")}),
              QStringLiteral(R"("/opt/call station/callstation" "--data-dir" "/srv/a\\$b%%c\\\\d\\"e\\`f")"));
}

#endif

}  // namespace
