#pragma once
// The staff member dialog: one row of the staff grid, checked before it is accepted.
#include "staff/StaffEdit.h"

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QPushButton;
class QRadioButton;

class TFrm_UserEdit final : public QDialog {
    Q_OBJECT
public:
    explicit TFrm_UserEdit(QWidget* parent);

    // modifiedRow -1 adds (empty fields, male); otherwise the fields start from that row.
    // The grid must outlive the dialog's run.
    void Start(const TTextGrid& staff, int modifiedRow);
    // The accepted entry as a staff grid row.
    QStringList Row() const { return StaffRow(Input()); }

    QLineEdit* Edt_Number;
    QLineEdit* Edt_Name;
    QRadioButton* Rbtn_Male;
    QRadioButton* Rbtn_Female;
    QLineEdit* Edt_Phone;
    QLineEdit* Edt_CancelAddr;
    QLineEdit* Edt_Remark;
    QPushButton* Btn_Ok = nullptr;
    QPushButton* Btn_Cancel = nullptr;

private:
    void Btn_OkClick();
    TStaffInput Input() const;

    const TTextGrid* staff_ = nullptr;
    int modifiedRow_ = -1;
};
