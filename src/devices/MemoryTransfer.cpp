#include "devices/MemoryTransfer.h"

#include "comm/DeviceReplies.h"
#include "core/ResStrings.h"
#include "devices/DeviceFrames.h"
#include "devices/DevicesTexts.h"

#include <algorithm>

namespace {
// A block read reply carries the block address and 32 bytes: 36 data bytes.
constexpr int BlockReadReplyLength = 45;
// A block written reply carries at least the block address.
constexpr int BlockWrittenReplyMinLength = 13;
constexpr int BlockDataOffset = 11;
}  // namespace

void TMemoryTransfer::StartRead(uint8_t address)
{
    buffer_.clear();
    Start(TMode::Read, address);
}

void TMemoryTransfer::StartWrite(uint8_t address, const QByteArray& image)
{
    buffer_ = image;
    Start(TMode::Write, address);
}

void TMemoryTransfer::Start(TMode mode, uint8_t address)
{
    mode_ = mode;
    address_ = address;
    expected_ = TDeviceReplies::MemSize;
    Begin(100);
    Send(LoadResStr(TxtDevicesReadingSize), DeviceFrames::SizeQuery(address));
}

void TMemoryTransfer::OnSize(quint32 size)
{
    if (Expected() != TDeviceReplies::MemSize)
        return;
    reported_ = size;
    if (mode_ == TMode::Read) {
        // The receive buffer holds whole blocks: never trust a device with gigabytes of it.
        if (size > MaxSize) {
            End(TTransferEnd::Refused);
            return;
        }
        total_ = size;
        const quint32 blocks = total_ == 0 ? 1 : (total_ - 1) / DeviceFrames::MemBlockSize + 1;
        buffer_ = QByteArray(qsizetype(blocks * DeviceFrames::MemBlockSize), '\0');
        expected_ = TDeviceReplies::MemBlockRead;
    } else {
        total_ = std::min<quint32>(quint32(buffer_.size()), size);
        // An empty image has nothing to write: a block of filler would only spoil the device.
        if (total_ == 0) {
            SetProgress(0, 0);
            End(TTransferEnd::Done);
            return;
        }
        expected_ = TDeviceReplies::MemBlockWritten;
    }
    SetProgress(0, int(total_));
    Request(0);
}

void TMemoryTransfer::Request(uint32_t block)
{
    block_ = block;
    if (mode_ == TMode::Read)
        Send(QString::asprintf(LoadResStr(TxtDevicesReadingBlock).toUtf8().constData(), block),
             DeviceFrames::BlockReadRequest(address_, block));
    else
        Send(QString::asprintf(LoadResStr(TxtDevicesWritingBlock).toUtf8().constData(), block),
             DeviceFrames::BlockWriteRequest(address_, block, buffer_));
}

void TMemoryTransfer::OnBlock(int kind, const uint8_t* frame, int n)
{
    const bool read = kind == TDeviceReplies::BlockReadReply && Expected() == TDeviceReplies::MemBlockRead
                      && n >= BlockReadReplyLength;
    const bool written = kind == TDeviceReplies::BlockWrittenReply
                         && Expected() == TDeviceReplies::MemBlockWritten && n >= BlockWrittenReplyMinLength;
    if (!(read || written) || DeviceFrames::ReplyBlockAddress(frame) != block_)
        return;
    if (read)
        std::copy(frame + BlockDataOffset, frame + BlockDataOffset + DeviceFrames::MemBlockSize,
                  buffer_.begin() + block_);
    const uint32_t next = block_ + DeviceFrames::MemBlockSize;
    if (next < total_) {
        SetProgress(int(next), Maximum());
        Request(next);
        return;
    }
    SetProgress(Maximum(), Maximum());
    if (read)
        result_ = buffer_.left(qsizetype(total_));
    End(TTransferEnd::Done);
}
