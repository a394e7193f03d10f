#pragma once
// The restore dialog: a backup file is chosen and checked, then the items it
// holds can be ticked and restored. It holds the chosen file open until another
// is chosen or the dialog closes, and stays open after a restore. The items are
// written out and checked off the window thread (with progress, cancellable); only
// their swap into the data directory runs on it.
#include "maintenance/BackupFile.h"
#include "maintenance/Restore.h"

#include <QDialog>
#include <functional>

class QLineEdit;
class QListWidget;
class QPushButton;
class TDialogJob;
class QWidget;
class TStation;
class IMainFace;
struct TLoginMsg;

class TFrm_Restore : public QDialog {
    Q_OBJECT
public:
    TFrm_Restore(TRestoreTarget target, QWidget* parent = nullptr);

    QLineEdit* const Edt_Source;
    QListWidget* const Lst_Items;
    QPushButton* const Btn_Source;
    QPushButton* const Btn_Restore;
    // Asks for the backup file (the open dialog); empty when cancelled.
    std::function<QString()> ChooseSource;
    // Runs after a restore's closing message, whether it succeeded or not (not after a cancel).
    std::function<void()> Finished;

public slots:
    void Btn_SourceClick();
    void Btn_RestoreClick();

private:
    TRestoreTarget target_;
    TBackupFile backup_;
    TDialogJob* job_;
};

// Opens the restore dialog modally over the main window, restoring into the running
// station: what it restores is reloaded at once (settings read and applied, layouts
// reloaded with the live calls relinked, roster queries reopened, the login checked
// against the restored operators, login, kept by the main window; loginChanged then
// updates the face).
void RunRestoreDialog(QWidget* mainWindow, TStation& station, IMainFace& face, TLoginMsg& login,
                      const std::function<void()>& loginChanged);
