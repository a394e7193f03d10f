// The three data-maintenance dialogs over the sample restaurant: backup with
// items ticked, restore with a backup file chosen, cleanup.
#include "MaintenanceShots.h"

#include "core/Environment.h"
#include "maintenance/BackupItems.h"
#include "maintenance/BackupWriter.h"
#include "maintenance/ui/BackupDialog.h"
#include "maintenance/ui/CleanupDialog.h"
#include "maintenance/ui/RestoreDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

namespace {

bool SaveShown(QWidget& dialog, const QString& path)
{
    dialog.show();
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
    const bool ok = dialog.grab().save(path);
    QTextStream(stdout) << (ok ? "saved " : "FAILED ") << path << Qt::endl;
    dialog.hide();
    return ok;
}

}  // namespace

bool SaveMaintenanceDialogs(const QString& out, QWidget* mainWindow, TDM_Sys& store, const TEnvironment& env)
{
    TFrm_Backup backup(env.DataDir, mainWindow);
    backup.Lst_Items->item(ItemOperators)->setCheckState(Qt::Checked);
    backup.Lst_Items->item(ItemHistory)->setCheckState(Qt::Checked);
    backup.Chk_Compress->setChecked(true);
    bool ok = SaveShown(backup, out + "/backup-dialog.png");

    QTemporaryDir files;
    const QString file = files.filePath("nightly.dat");
    QString why;
    ok = WriteBackup(env.DataDir, file, (1u << ItemSettings) | (1u << ItemLayouts) | (1u << ItemStaff), true, &why) && ok;
    TFrm_Restore restore({env.DataDir, nullptr, {}, {}}, mainWindow);
    restore.ChooseSource = [&] { return file; };
    restore.Btn_SourceClick();
    restore.Lst_Items->item(ItemLayouts)->setCheckState(Qt::Checked);
    ok = SaveShown(restore, out + "/restore-dialog.png") && ok;

    TFrm_Cleanup cleanup(store, env.Formats.Picker, mainWindow);
    return SaveShown(cleanup, out + "/cleanup-dialog.png") && ok;
}
