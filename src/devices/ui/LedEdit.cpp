#include "devices/ui/LedEdit.h"

#include "core/ResStrings.h"
#include "core/ui/Messages.h"
#include "core/ui/StationDialog.h"
#include "devices/DevicesTexts.h"
#include "devices/ui/DeviceFields.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
TFrm_LedEdit::TFrm_LedEdit(int captionId, const TLedMessage& m, QWidget* parent) : QDialog(parent)
{
    SetupStationDialog(this, captionId);
    Cbx_DataMode = ChoiceField("Cbx_DataMode", TxtDevicesDataModes, m.DataMode, this);
    Cbx_DisplayMode = ChoiceField("Cbx_DisplayMode", TxtDevicesDisplayModes, m.DisplayMode, this);
    Edt_MoveInterval = NumberField("Edt_MoveInterval", 1, MaxMoveInterval, m.MoveInterval, this);
    Edt_StopTime = NumberField("Edt_StopTime", 0, MaxStopTime, m.StopTime, this);
    Cbx_Color = ChoiceField("Cbx_Color", TxtDevicesColors, m.Color, this);
    Edt_Text = new QLineEdit(m.Text, this);
    Edt_Text->setObjectName(QStringLiteral("Edt_Text"));
    LimitToGbkBytes(Edt_Text, MaxLedTextBytes);
    Edt_Text->setMinimumWidth(Edt_Text->fontMetrics().horizontalAdvance(QString(17, QChar(0x4E2D))));

    auto* form = new QFormLayout;
    form->addRow(LoadResStr(TxtDevicesDataMode), Cbx_DataMode);
    form->addRow(LoadResStr(TxtDevicesDisplayMode), Cbx_DisplayMode);
    form->addRow(LoadResStr(TxtDevicesMoveInterval), Edt_MoveInterval);
    form->addRow(LoadResStr(TxtDevicesStopTime), Edt_StopTime);
    form->addRow(LoadResStr(TxtDevicesColor), Cbx_Color);
    form->addRow(LoadResStr(TxtDevicesLedText), Edt_Text);

    Btn_Ok = LayOutWithOkCancel(this, form).Ok;
    connect(Btn_Ok, &QPushButton::clicked, this, &TFrm_LedEdit::Btn_OkClick);
}

TLedMessage TFrm_LedEdit::Message() const
{
    TLedMessage m;
    m.DataMode = uint8_t(Cbx_DataMode->currentIndex());
    m.DisplayMode = uint8_t(Cbx_DisplayMode->currentIndex());
    m.MoveInterval = uint8_t(Edt_MoveInterval->value());
    m.StopTime = uint8_t(Edt_StopTime->value());
    m.Color = uint8_t(Cbx_Color->currentIndex());
    m.Text = Edt_Text->text();
    return m;
}

void TFrm_LedEdit::Btn_OkClick()
{
    if (Edt_Text->text().trimmed().isEmpty()) {
        ShowError(this, LoadResStr(TxtDevicesEmptyText));
        return;
    }
    accept();
}
