#pragma once
// The permission editor: one check item per permission bit of the current operator.
#include <QDialog>

class QListWidget;
class TOperatorStore;

class TFrm_PopedomEdt : public QDialog {
    Q_OBJECT
public:
    TFrm_PopedomEdt(TOperatorStore& operators, QWidget* parent = nullptr);

    QListWidget* const Lst_Popedom;   // item i stands for bit i

public slots:
    // Stores exactly the checked bits; bits without an item are cleared.
    void Btn_OkClick();

private:
    TOperatorStore& operators_;
};
