// The data-maintenance menu and the backup and restore dialogs driven as a user
// would, with their messages recorded.
#include "MaintenanceFixture.h"

#include "core/Clock.h"
#include "core/Config.h"
#include "core/Paths.h"
#include "core/ResStrings.h"
#include "maintenance/BackupItems.h"
#include "maintenance/ui/BackupDialog.h"
#include "maintenance/ui/RestoreDialog.h"
#include "mainwindow/MainWindow.h"
#include "support/RecordedMessages.h"
#include "support/SilentSound.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
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
    InitDataDir(dirA);
    ManualClock clock;
    SilentSound sound;
    TFrm_Main window(clock, sound);
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
    Config = TConfig();
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
    target = tmp.filePath("no-such-dir/nightly.dat");
    dialog.Btn_StartClick();

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
    EXPECT_EQ(Rows(live, "LayOutName"), Rows(dirB, "LayOutName"));
    EXPECT_NE(Rows(live, "Operate"), Rows(dirB, "Operate"));

    EXPECT_EQ(sink.Entries(), (std::vector<Entry>{{TMessageKind::Error, LoadResStr(1611)},
                                                  {TMessageKind::Error, LoadResStr(1612)},
                                                  {TMessageKind::Error, LoadResStr(1610)},
                                                  {TMessageKind::Confirm, LoadResStr(1613)},
                                                  {TMessageKind::Confirm, LoadResStr(1613)},
                                                  {TMessageKind::Notice, LoadResStr(1615)}}));
}

}  // namespace
