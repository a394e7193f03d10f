#include "devices/LedUpload.h"

#include "core/ResStrings.h"
#include "devices/DeviceFrames.h"
#include "devices/DevicesTexts.h"

void TLedUpload::Start(uint8_t address, const TLedList& list)
{
    address_ = address;
    list_ = list;
    Begin(int(list_.size()));
    UploadControl();
}

void TLedUpload::UploadControl()
{
    const int count = int(list_.size());
    if (Progress() < count) {
        const TLedMessage& m = list_[size_t(Progress())];
        Send(QString::asprintf(LoadResStr(TxtDevicesUpdatingMessage).toUtf8().constData(), QByteArray::number(Progress() + 1).constData(),
                               m.Text.toUtf8().constData()),
             DeviceFrames::LedMessageFrame(address_, Progress() + 1, m));
    } else {
        Send(LoadResStr(TxtDevicesEndingUpdate), DeviceFrames::LedEndFrame(address_, count));
    }
}

void TLedUpload::OnAck()
{
    if (!Running())
        return;
    if (Progress() == Maximum()) {
        End(TTransferEnd::Done);
        return;
    }
    SetProgress(Progress() + 1, Maximum());
    UploadControl();
}
