#include "maintenance/ui/BackupDialog.h"

#include "core/ResStrings.h"
#include "core/ui/Messages.h"
#include "core/ui/StationDialog.h"
#include "maintenance/BackupWriter.h"
#include "maintenance/FailureText.h"
#include "maintenance/ui/DialogJob.h"
#include "maintenance/ui/ItemChecklist.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFrm_Backup::TFrm_Backup(const QString& dataDir, QWidget* parent)
    : QDialog(parent),
      Lst_Items(NewItemChecklist(this)),
      Chk_Compress(new QCheckBox(LoadResStr(1602), this)),
      Btn_Start(new QPushButton(LoadResStr(1603), this)),
      Btn_Cancel(new QPushButton(LoadResStr(102), this)),
      dataDir_(dataDir),
      job_(new TDialogJob(this, {Lst_Items, Chk_Compress, Btn_Start}))
{
    SetupStationDialog(this, 227);
    Chk_Compress->setFixedWidth(Chk_Compress->fontMetrics().horizontalAdvance(Chk_Compress->text()) + 20);
    ChooseTarget = [this] {
        return QFileDialog::getSaveFileName(this, windowTitle(), QString(), QStringLiteral("*.* (*)"));
    };
    Btn_Start->setDefault(true);
    connect(Btn_Start, &QPushButton::clicked, this, &TFrm_Backup::Btn_StartClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Chk_Compress);
    buttons->addStretch();
    buttons->addWidget(Btn_Start);
    buttons->addWidget(Btn_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(LoadResStr(1600), this));
    layout->addWidget(Lst_Items);
    layout->addLayout(buttons);
}

void TFrm_Backup::Btn_StartClick()
{
    const uint32_t items = TickedItems(Lst_Items);
    if (items == 0) {
        ShowWarning(this, LoadResStr(1604));
        return;
    }
    const QString target = ChooseTarget();
    if (target.isEmpty())
        return;
    const QString dataDir = dataDir_;
    const bool compress = Chk_Compress->isChecked();
    job_->Run(
        3216,
        [dataDir, target, items, compress](const TJobProgress& progress, QString* why) {
            return WriteBackup(dataDir, target, items, compress, why, progress);
        },
        [this](bool done, bool cancelled, const QString& why) {
            // A cancelled backup left no file (and an older one as it was): nothing to say.
            if (done)
                ShowNotice(this, LoadResStr(1607));
            else if (!cancelled)
                ShowError(this, FailureText(1605, why));
        });
}

void RunBackupDialog(QWidget* parent, const QString& dataDir)
{
    TFrm_Backup dialog(dataDir, parent);
    dialog.exec();
}
