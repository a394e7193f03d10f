#pragma once
// The call-point dialog: name, hexadecimal address, shape, size and text position
// of one point, handed in and back through the editor's edit record.
#include "layout/CallPointForm.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class TLayOutEditModel;

class TFrm_CallPointEdt : public QDialog {
    Q_OBJECT
public:
    TFrm_CallPointEdt(const TLayOutEditModel& model, QWidget* parent);

    // Fills the fields from the record (reset to a new point first in add mode)
    // without showing the dialog.
    void Start(bool addMode, TLayOutPoint& record);
    // Start, then run modally; true when OK wrote the fields into the record.
    bool Execute(bool addMode, TLayOutPoint& record);

    TCallPointForm Form() const;
    void SetForm(const TCallPointForm& form);

    // OK: refused fields show their message and keep the dialog open.
    void accept() override;

private:
    const TLayOutEditModel& model_;
    bool addMode_ = true;
    TLayOutPoint* record_ = nullptr;

    QLineEdit* Edt_Name;
    QLineEdit* Edt_Address;
    QComboBox* Cbx_Shape;
    QLineEdit* Edt_Width;
    QLineEdit* Edt_Height;
    QComboBox* Cbx_TxtPos;
};
