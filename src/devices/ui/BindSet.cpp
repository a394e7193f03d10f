#include "devices/ui/BindSet.h"

#include "comm/DeviceReplies.h"
#include "core/ResStrings.h"
#include "core/ui/CaptionTabs.h"
#include "core/ui/Messages.h"
#include "core/ui/StationDialog.h"
#include "devices/DeviceFrames.h"
#include "devices/DevicesTexts.h"
#include "devices/ui/DeviceFields.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QValidator>
#include <QVBoxLayout>

namespace {

// Lets only what an entry rule accepts be typed; hexadecimal digits show in upper case.
class TEntryValidator final : public QValidator {
public:
    TEntryValidator(bool (*accepts)(const QString&), bool upperCase, QObject* parent)
        : QValidator(parent), accepts_(accepts), upperCase_(upperCase) {}

    State validate(QString& input, int&) const override
    {
        if (upperCase_)
            input = input.toUpper();
        return accepts_(input) ? Acceptable : Invalid;
    }

private:
    bool (*accepts_)(const QString&);
    bool upperCase_;
};

QSpinBox* Number(const char* name, TRange range, int value, QWidget* parent)
{
    return NumberField(name, range.Min, range.Max, value, parent);
}

QLineEdit* Edit(const char* name, const QString& text, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QPushButton* SetButton(const char* name, QWidget* parent)
{
    auto* button = new QPushButton(LoadResStr(TxtDevicesSet), parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

}  // namespace

void RunBindSet(QWidget* parent, ISerialLine& line, TDeviceReplies& replies)
{
    TFrm_BindSet window(line, replies, parent);
    window.exec();
}

TFrm_BindSet::TFrm_BindSet(ISerialLine& line, TDeviceReplies& replies, QWidget* parent)
    : QDialog(parent), line_(line), replies_(replies)
{
    SetupStationDialog(this, TxtDevicesBindPage);
    setMinimumWidth(320);
    auto* pages = new TCaptionTabWidget(this);
    pages->addTab(CreateBindPage(), LoadResStr(TxtDevicesBindPage));
    pages->addTab(CreateKeyPage(), LoadResStr(TxtDevicesKeyPage));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);

    connect(Btn_SetBind, &QPushButton::clicked, this,
            [this] { DeviceFrames::Send(line_, DeviceFrames::BindFrame(Binding())); });
    connect(Btn_SetKey, &QPushButton::clicked, this,
            [this] { DeviceFrames::Send(line_, DeviceFrames::KeyTextFrame(KeyText())); });
    replies_.RegisterBind([this](int, quint32) { ShowNotice(this, LoadResStr(TxtDevicesSetDone)); });
}

TFrm_BindSet::~TFrm_BindSet() { replies_.UnregisterBind(); }

QWidget* TFrm_BindSet::CreateBindPage()
{
    const TBindButton defaults;
    auto* page = new QWidget;
    Edt_ButtonAddress = Edit("Edt_ButtonAddress", defaults.ButtonAddress, page);
    Edt_ButtonAddress->setValidator(new TEntryValidator(IsButtonAddressEntry, false, Edt_ButtonAddress));
    Edt_InternalCode = Edit("Edt_InternalCode", defaults.InternalCode, page);
    Edt_InternalCode->setValidator(new TEntryValidator(IsInternalCodeEntry, true, Edt_InternalCode));
    Edt_Tone = Number("Edt_Tone", ToneRange, defaults.Tone, page);
    Edt_PagerGroup = Number("Edt_PagerGroup", PagerGroupRange, defaults.PagerGroup, page);
    Edt_PagerAddress = Number("Edt_PagerAddress", PagerAddressRange, defaults.PagerAddress, page);
    Chk_Alarm = new QCheckBox(LoadResStr(TxtDevicesAlarm), page);
    Chk_Alarm->setObjectName(QStringLiteral("Chk_Alarm"));
    Edt_Text = Edit("Edt_Text", defaults.Text, page);
    LimitToGbkBytes(Edt_Text, MaxBindTextBytes);
    Edt_Device = Number("Edt_Device", BindDeviceRange, defaults.DeviceAddress, page);
    Btn_SetBind = SetButton("Btn_SetBind", page);

    auto* form = new QFormLayout(page);
    form->addRow(LoadResStr(TxtDevicesButtonAddress), Edt_ButtonAddress);
    form->addRow(LoadResStr(TxtDevicesInternalCode), Edt_InternalCode);
    form->addRow(LoadResStr(TxtDevicesTone), Edt_Tone);
    form->addRow(LoadResStr(TxtDevicesPagerGroup), Edt_PagerGroup);
    form->addRow(LoadResStr(TxtDevicesPagerAddress), Edt_PagerAddress);
    form->addRow(QString(), Chk_Alarm);
    form->addRow(LoadResStr(TxtDevicesBindText), Edt_Text);
    form->addRow(LoadResStr(TxtDevicesBindDevice), Edt_Device);
    form->addRow(QString(), Btn_SetBind);
    return page;
}

QWidget* TFrm_BindSet::CreateKeyPage()
{
    const TKeyText defaults;
    auto* page = new QWidget;
    Edt_Key = Number("Edt_Key", KeyValueRange, defaults.Key, page);
    Edt_KeyText = Edit("Edt_KeyText", defaults.Text, page);
    LimitToGbkBytes(Edt_KeyText, MaxKeyTextBytes);
    Edt_KeyDevice = Number("Edt_KeyDevice", BindDeviceRange, defaults.DeviceAddress, page);
    Btn_SetKey = SetButton("Btn_SetKey", page);

    auto* form = new QFormLayout(page);
    form->addRow(LoadResStr(TxtDevicesKey), Edt_Key);
    form->addRow(LoadResStr(TxtDevicesKeyText), Edt_KeyText);
    form->addRow(LoadResStr(TxtDevicesBindDevice), Edt_KeyDevice);
    form->addRow(QString(), Btn_SetKey);
    return page;
}

TBindButton TFrm_BindSet::Binding() const
{
    TBindButton b;
    b.ButtonAddress = Edt_ButtonAddress->text();
    b.InternalCode = Edt_InternalCode->text();
    b.Tone = uint8_t(Edt_Tone->value());
    b.PagerGroup = uint8_t(Edt_PagerGroup->value());
    b.PagerAddress = uint8_t(Edt_PagerAddress->value());
    b.Alarm = Chk_Alarm->isChecked();
    b.Text = Edt_Text->text();
    b.DeviceAddress = uint8_t(Edt_Device->value());
    return b;
}

TKeyText TFrm_BindSet::KeyText() const
{
    return {uint8_t(Edt_Key->value()), Edt_KeyText->text(), uint8_t(Edt_KeyDevice->value())};
}
