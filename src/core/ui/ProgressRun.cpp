#include "core/ui/ProgressRun.h"

#include "core/CoreTexts.h"
#include "core/ResStrings.h"

#include <QProgressDialog>

namespace {

constexpr int ShowAfterMs = 400;

}  // namespace

TProgressRun::TProgressRun(QWidget* parent, const QString& text, int expected)
    : QObject(parent), dialog_(new QProgressDialog(text, LoadResStr(TxtCancel), 0, expected, parent))
{
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(ShowAfterMs);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setValue(0);
    connect(dialog_, &QProgressDialog::canceled, this, [this] { *cancel_ = true; });
}

void TProgressRun::SetValue(int value)
{
    if (dialog_ && dialog_->maximum() > 0)
        dialog_->setValue(std::min(value, dialog_->maximum()));
}

void TProgressRun::Finish()
{
    // Gone at once, with its show timer: a result message usually follows in a
    // nested event loop, where a box only hidden would come back on top of it
    // and hold the window modal until its cancel button is pressed.
    delete dialog_;
    dialog_ = nullptr;
    deleteLater();
}
