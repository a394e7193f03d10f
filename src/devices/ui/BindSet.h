#pragma once
// The bind settings window: the binding of one call button and the text of
// one key value, each sent as one frame at the press of its button; every
// acknowledgement is reported as success.
#include "devices/BindSettings.h"

#include <QDialog>

class ISerialLine;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TDeviceReplies;

// Opens the window modally over parent.
void RunBindSet(QWidget* parent, ISerialLine& line, TDeviceReplies& replies);

class TFrm_BindSet final : public QDialog {
    Q_OBJECT
public:
    TFrm_BindSet(ISerialLine& line, TDeviceReplies& replies, QWidget* parent = nullptr);
    ~TFrm_BindSet() override;

    // The fields of each page as they stand.
    TBindButton Binding() const;
    TKeyText KeyText() const;

    QLineEdit* Edt_ButtonAddress;
    QLineEdit* Edt_InternalCode;
    QSpinBox* Edt_Tone;
    QSpinBox* Edt_PagerGroup;
    QSpinBox* Edt_PagerAddress;
    QCheckBox* Chk_Alarm;
    QLineEdit* Edt_Text;
    QSpinBox* Edt_Device;
    QPushButton* Btn_SetBind;
    QSpinBox* Edt_Key;
    QLineEdit* Edt_KeyText;
    QSpinBox* Edt_KeyDevice;
    QPushButton* Btn_SetKey;

private:
    QWidget* CreateBindPage();
    QWidget* CreateKeyPage();

    ISerialLine& line_;
    TDeviceReplies& replies_;
};
