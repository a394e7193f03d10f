#pragma once
// The message dialog of the LED tool: the fields of one message.
#include "devices/LedMessages.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TFrm_LedEdit final : public QDialog {
    Q_OBJECT
public:
    // captionId: 1908 to add, 1909 to modify.
    TFrm_LedEdit(int captionId, const TLedMessage& message, QWidget* parent = nullptr);

    // The fields as they stand; the text as typed, blanks included.
    TLedMessage Message() const;

    QComboBox* Cbx_DataMode;
    QComboBox* Cbx_DisplayMode;
    QSpinBox* Edt_MoveInterval;
    QSpinBox* Edt_StopTime;
    QComboBox* Cbx_Color;
    QLineEdit* Edt_Text;
    QPushButton* Btn_Ok;

private:
    void Btn_OkClick();
};
