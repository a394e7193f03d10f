#pragma once
// The operator editor: adds an operator, or changes the name, sex and job title of
// the current row of the operator list.
#include <QDialog>

class QLineEdit;
class QRadioButton;
class TOperatorStore;

enum class TOperatorEditMode { Add, Modify };

class TFrm_OperatorEdt : public QDialog {
    Q_OBJECT
public:
    TFrm_OperatorEdt(TOperatorStore& operators, QWidget* parent = nullptr);

    // Fills the fields for the mode (empty and male, or from the current row).
    void Start(TOperatorEditMode mode);

    QLineEdit* const Edt_Name;
    QRadioButton* const Rbn_Male;
    QRadioButton* const Rbn_Female;
    QLineEdit* const Edt_Duty;

public slots:
    // Writes the row unless the name is already taken; then closes with OK.
    void Btn_OkClick();

private:
    TOperatorStore& operators_;
    TOperatorEditMode mode_ = TOperatorEditMode::Add;
};
