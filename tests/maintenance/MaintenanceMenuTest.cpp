// The main window's data-maintenance menu opens the three dialogs, each modal.
#include "core/Clock.h"
#include "core/Config.h"
#include "core/Paths.h"
#include "core/ResStrings.h"
#include "mainwindow/MainWindow.h"
#include "support/SilentSound.h"

#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(MaintenanceMenu, EachEntryOpensItsDialogModally)
{
    QTemporaryDir dir;
    InitDataDir(dir.path());
    ManualClock clock;
    SilentSound sound;
    TFrm_Main window(clock, sound);
    ASSERT_TRUE(window.Start());
    const auto* menu = window.findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    QStringList opened;
    for (QAction* action : menu->actions()) {
        QTimer::singleShot(0, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                opened << action->text() + ":" + dialog->windowTitle();
                dialog->close();
            }
        });
        action->trigger();
    }
    EXPECT_EQ(opened, QStringList({"数据备份:数据备份", "数据恢复:数据恢复", "数据清理:数据清理"}));
    window.Station().Close();
    Config = TConfig();
}

}  // namespace
