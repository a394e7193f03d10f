#pragma once
// The operator management window: the list of all operators and the buttons that
// add, modify, delete them and edit their permissions and passwords.
#include <QDialog>

class QPushButton;
class QTableView;
class TFrm_OperatorEdt;
class TOperatorListModel;
class TOperatorStore;
struct TLoginMsg;
enum class TOperatorEditMode;

class TFrm_OperateManage : public QDialog {
    Q_OBJECT
public:
    // operators: every operator, already open; login: who may not be deleted.
    TFrm_OperateManage(TOperatorStore& operators, TLoginMsg& login, QWidget* parent = nullptr);

    QTableView* const SGrd_Operators;
    QPushButton* const Btn_Add;
    QPushButton* const Btn_Modify;
    QPushButton* const Btn_Del;
    QPushButton* const Btn_Popedom;
    QPushButton* const Btn_ModiPass;

public slots:
    void Btn_AddClick();
    void Btn_ModifyClick();
    void Btn_DelClick();
    void Btn_PopedomClick();
    void Btn_ModiPassClick();

private:
    void RunEditor(TOperatorEditMode mode);
    // Shows the store's rows again with its current row selected; the buttons that
    // need a row work only while there is one.
    void ShowRows();

    TOperatorStore& operators_;
    TLoginMsg& login_;
    TOperatorListModel* const model_;
    TFrm_OperatorEdt* editor_ = nullptr;   // kept between uses while the window is open
};
