#pragma once
// The change-password dialog, on the current row of an operator query: the logged-in
// operator's own row, or the row chosen in the operator list.
#include <QDialog>

class QLineEdit;
class TOperatorStore;

class TFrm_ModiPass : public QDialog {
    Q_OBJECT
public:
    TFrm_ModiPass(TOperatorStore& operators, QWidget* parent = nullptr);

    QLineEdit* const Edt_OldPass;
    QLineEdit* const Edt_NewPass;
    QLineEdit* const Edt_Confirm;

public slots:
    // Stores the new password once the confirmation and then the old password check out.
    void Btn_OkClick();

private:
    TOperatorStore& operators_;
};
