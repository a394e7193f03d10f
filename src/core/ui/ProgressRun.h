#pragma once
// The progress of a back-office job running on the worker: a window-modal
// progress dialog that appears when the job takes a moment, whose cancel
// button sets the job's cancel flag. It deletes itself on Finish.
#include "core/CancelFlag.h"

#include <QObject>
#include <QString>

class QProgressDialog;
class QWidget;

class TProgressRun final : public QObject {
    Q_OBJECT
public:
    // expected: the steps the job will report; 0 when unknown (a busy bar).
    TProgressRun(QWidget* parent, const QString& text, int expected);

    const TCancelFlag& Cancel() const { return cancel_; }
    void SetValue(int value);
    // The job ended: the dialog closes and this object goes.
    void Finish();

private:
    QProgressDialog* dialog_;
    TCancelFlag cancel_ = NewCancelFlag();
};
