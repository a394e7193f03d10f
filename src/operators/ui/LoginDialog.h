#pragma once
// The login dialog: operator name and password, checked against the operator table.
#include <QDialog>

class QLineEdit;
class TOperatorStore;
struct TLoginMsg;

class TFrm_Login : public QDialog {
    Q_OBJECT
public:
    // operators: every operator, already open.
    TFrm_Login(TOperatorStore& operators, TLoginMsg& login, QWidget* parent = nullptr);

    QLineEdit* const Edt_Name;
    QLineEdit* const Edt_Password;

public slots:
    // Closes with OK once name and password match; otherwise says why and stays.
    void Btn_OkClick();

private:
    TOperatorStore& operators_;
    TLoginMsg& login_;
};
