#pragma once
// The cleanup dialog: every call of the call log up to and including the chosen
// day is deleted, after one question that names the day and how many calls go.
// Both the count and the deletion run off the window thread; the deletion shows its
// progress and can be cancelled (then nothing is deleted).
#include <QDialog>

class QDateEdit;
class QPushButton;
class QDate;
class TDM_Sys;
class TDialogJob;

class TFrm_Cleanup : public QDialog {
    Q_OBJECT
public:
    // pickerFormat: how the day shows, in the picker and the question.
    TFrm_Cleanup(TDM_Sys& store, const QString& pickerFormat, QWidget* parent = nullptr);

    QDateEdit* const Dtp_Date;
    QPushButton* const Btn_Clear;
    QPushButton* const Btn_Cancel;

public slots:
    void Btn_ClearClick();

private:
    void Delete(const QDate& day, const QString& dataDir);

    TDM_Sys& store_;
    const QString pickerFormat_;
    TDialogJob* job_;
};

// Opens the cleanup dialog modally over parent.
void RunCleanupDialog(QWidget* parent, TDM_Sys& store, const QString& pickerFormat);
