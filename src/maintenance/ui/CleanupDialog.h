#pragma once
// The cleanup dialog: every call of the call log up to and including the chosen
// day is deleted, after one question that names the day and how many calls go.
#include <QDialog>

class QDateEdit;
class QPushButton;
class TDM_Sys;

class TFrm_Cleanup : public QDialog {
    Q_OBJECT
public:
    TFrm_Cleanup(TDM_Sys& store, QWidget* parent = nullptr);

    QDateEdit* const Dtp_Date;
    QPushButton* const Btn_Clear;
    QPushButton* const Btn_Cancel;

public slots:
    void Btn_ClearClick();

private:
    TDM_Sys& store_;
};

// Opens the cleanup dialog modally over parent.
void RunCleanupDialog(QWidget* parent, TDM_Sys& store);
