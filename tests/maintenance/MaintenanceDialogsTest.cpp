// The data-maintenance menu and the backup and restore dialogs driven as a user
// would, with their messages recorded.
#include "JobWait.h"
#include "MaintenanceFixture.h"

#include "core/Clock.h"
#include "core/Config.h"
#include "core/ResStrings.h"
#include "maintenance/BackupItems.h"
#include "maintenance/ui/BackupDialog.h"
#include "maintenance/ui/RestoreDialog.h"
#include "mainwindow/MainWindow.h"
#include "support/RecordedMessages.h"
#include "support/SilentSound.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace {

using Entry = RecordedMessages::Entry;

void Tick(QListWidget* list, std::initializer_list<int> items)
{
    for (const int item : items)
        list->item(item)->setCheckState(Qt::Checked);
}

QList<bool> Enabled(const QListWidget* list)
{
    QList<bool> enabled;
    for (int i = 0; i < list->count(); ++i)
        enabled << bool(list->item(i)->flags() & Qt::ItemIsEnabled);
    return enabled;
}

using MaintenanceDialogs = MaintenanceFixture;

TEST_F(MaintenanceDialogs, EachMenuEntryOpensItsDialogModally)
{
    TEnvironment env = TestEnvironment(dirA);
    ManualClock clock;
    SilentSound sound;
    TStation station(env, clock, sound);
    TFrm_Main window(station, clock);
    ASSERT_TRUE(window.Start());
    const auto* menu = window.findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    QStringList opened;
    for (QAction* action : menu->actions()) {
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            opened << action->text() + ":" + (dialog ? dialog->windowTitle() : QString());
            if (dialog)
                dialog->close();
        });
        action->trigger();
    }
    EXPECT_EQ(opened, QStringList({"数据备份:数据备份", "数据恢复:数据恢复", "数据清理:数据清理"}));
    window.Station().Close();
}

TEST_F(MaintenanceDialogs, BackupNeedsAnItemAndATarget)
{
    RecordedMessages sink;
    TFrm_Backup dialog(dirA);
    EXPECT_EQ(dialog.Lst_Items->item(4)->text(), "历史记录");
    QString target;
    int asked = 0;
    dialog.ChooseTarget = [&] { ++asked; return target; };

    dialog.Btn_StartClick();
    Tick(dialog.Lst_Items, {1, 3});
    dialog.Btn_StartClick();  // the save dialog is cancelled
    target = tmp.filePath("nightly.dat");
    dialog.Chk_Compress->setChecked(true);
    dialog.Btn_StartClick();
    ASSERT_TRUE(JobEnded(dialog.Btn_Start));
    target = tmp.filePath("no-such-dir/nightly.dat");
    dialog.Btn_StartClick();
    ASSERT_TRUE(JobEnded(dialog.Btn_Start));

    EXPECT_EQ(asked, 3);
    ASSERT_EQ(sink.Entries().size(), 3u);
    EXPECT_EQ(sink.Entries()[0], (Entry{TMessageKind::Warning, LoadResStr(1604)}));
    EXPECT_EQ(sink.Entries()[1], (Entry{TMessageKind::Notice, LoadResStr(1607)}));
    EXPECT_EQ(sink.Entries()[2].kind, TMessageKind::Error);
    EXPECT_TRUE(sink.Entries()[2].text.startsWith(LoadResStr(1605) + "\n"));
    TBackupFile written;
    ASSERT_EQ(written.Open(tmp.filePath("nightly.dat")), TBackupOpen::Ok);
    EXPECT_EQ(written.Mask(), 0b1010u);
    EXPECT_TRUE(written.Compressed());
}

TEST_F(MaintenanceDialogs, RestoreOffersOnlyTheItemsOfAValidFile)
{
    RecordedMessages sink;
    TDM_Sys live;
    ASSERT_TRUE(live.Open(dirA));
    TFrm_Restore dialog({dirA, &live, {}, {}});
    EXPECT_EQ(Enabled(dialog.Lst_Items), QList<bool>(5, false));
    const QString good = Backup(dirB, (1u << ItemOperators) | (1u << ItemLayouts), false);
    const QString invalid = tmp.filePath("invalid.dat");
    WriteBytes(invalid, ReadBytes(good).chopped(1));
    QString chosen;
    dialog.ChooseSource = [&] { return chosen; };

    chosen = good;
    dialog.Btn_SourceClick();
    EXPECT_EQ(Enabled(dialog.Lst_Items), QList<bool>({true, false, true, false, false}));
    Tick(dialog.Lst_Items, {2});
    chosen = invalid;
    dialog.Btn_SourceClick();
    EXPECT_EQ(dialog.Edt_Source->text(), QDir::toNativeSeparators(invalid));
    EXPECT_EQ(Enabled(dialog.Lst_Items), QList<bool>(5, false));
    EXPECT_EQ(dialog.Lst_Items->item(2)->checkState(), Qt::Unchecked);
    dialog.Btn_RestoreClick();
    chosen = tmp.filePath("missing.dat");
    dialog.Btn_SourceClick();

    chosen = good;
    dialog.Btn_SourceClick();
    Tick(dialog.Lst_Items, {2});
    sink.answer = QMessageBox::No;
    dialog.Btn_RestoreClick();
    EXPECT_NE(Rows(live, "LayOutName"), Rows(dirB, "LayOutName"));
    sink.answer = QMessageBox::Yes;
    dialog.Btn_RestoreClick();
    ASSERT_TRUE(JobEnded(dialog.Btn_Restore));
    EXPECT_EQ(Rows(live, "LayOutName"), Rows(dirB, "LayOutName"));
    EXPECT_NE(Rows(live, "Operate"), Rows(dirB, "Operate"));

    EXPECT_EQ(sink.Entries(), (std::vector<Entry>{{TMessageKind::Error, LoadResStr(1611)},
                                                  {TMessageKind::Error, LoadResStr(1612)},
                                                  {TMessageKind::Error, LoadResStr(1610)},
                                                  {TMessageKind::Confirm, LoadResStr(1613)},
                                                  {TMessageKind::Confirm, LoadResStr(1613)},
                                                  {TMessageKind::Notice, LoadResStr(1615)}}));
}

// The window thread goes on while a backup waits for a table file that another program holds:
// the progress shows, and its cancel button leaves no new file and the older one as it was.
TEST_F(MaintenanceDialogs, ABackupShowsItsProgressAndItsCancelKeepsTheOlderFile)
{
    RecordedMessages sink;
    const QString target = tmp.filePath("nightly.dat");
    WriteBytes(target, "older backup");
    TFrm_Backup dialog(dirA);
    dialog.ChooseTarget = [&] { return target; };
    Tick(dialog.Lst_Items, {0, 4});
    dialog.Chk_Compress->setChecked(true);
    TTableFileLock lock(dirA + "/Operate.db", "exclusive");
    ASSERT_TRUE(lock.Locked());

    dialog.Btn_StartClick();
    EXPECT_FALSE(dialog.Btn_Start->isEnabled());
    auto* progress = dialog.findChild<QProgressDialog*>();
    ASSERT_NE(progress, nullptr);
    ASSERT_TRUE(RunEventsUntil([&] { return progress->isVisible(); }));
    EXPECT_EQ(progress->labelText(), LoadResStr(3216));
    progress->findChild<QPushButton*>()->click();
    lock.Release();
    ASSERT_TRUE(JobEnded(dialog.Btn_Start));

    EXPECT_EQ(ReadBytes(target), "older backup");
    EXPECT_EQ(QDir(tmp.path()).entryList({"nightly*"}, QDir::Files | QDir::Hidden), QStringList{"nightly.dat"});
    EXPECT_EQ(sink.Entries(), std::vector<Entry>());
}

// Closing the restore dialog while its items are being written out cancels the restore
// before anything is swapped in: the data and the directory stay as they were.
TEST_F(MaintenanceDialogs, ClosingTheRestoreWhileItRunsLeavesTheDataAsItWas)
{
    RecordedMessages sink;
    TDM_Sys live;
    ASSERT_TRUE(live.Open(dirA));
    const QStringList before = Snapshot(live);
    TFrm_Restore dialog({dirA, &live, {}, {}});
    const QString file = Backup(dirB, AllBackupItems, true);
    dialog.ChooseSource = [&] { return file; };
    dialog.Btn_SourceClick();
    Tick(dialog.Lst_Items, {0, 1, 2, 3, 4});
    int finished = 0;
    dialog.Finished = [&] { ++finished; };

    dialog.Btn_RestoreClick();
    EXPECT_FALSE(dialog.Btn_Restore->isEnabled());
    dialog.reject();
    ASSERT_TRUE(JobEnded(dialog.Btn_Restore));

    EXPECT_EQ(Snapshot(live), before);
    EXPECT_EQ(Leftovers(dirA), QStringList());
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(sink.Entries(), (std::vector<Entry>{{TMessageKind::Confirm, LoadResStr(1613)}}));
}

}  // namespace
