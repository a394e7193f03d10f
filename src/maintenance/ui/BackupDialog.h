#pragma once
// The backup dialog: the items to back up, compression, and the target file.
// It stays open after a backup, which runs off the window thread with its progress
// shown and can be cancelled.
#include <QDialog>
#include <QString>
#include <functional>

class QCheckBox;
class QListWidget;
class QPushButton;
class TDialogJob;

class TFrm_Backup : public QDialog {
    Q_OBJECT
public:
    TFrm_Backup(const QString& dataDir, QWidget* parent = nullptr);

    QListWidget* const Lst_Items;
    QCheckBox* const Chk_Compress;
    QPushButton* const Btn_Start;
    QPushButton* const Btn_Cancel;
    // Asks for the target file (the save dialog, which confirms an overwrite); empty when cancelled.
    std::function<QString()> ChooseTarget;

public slots:
    void Btn_StartClick();

private:
    QString dataDir_;
    TDialogJob* job_;
};

// Opens the backup dialog modally over parent, for the data directory dataDir.
void RunBackupDialog(QWidget* parent, const QString& dataDir);
