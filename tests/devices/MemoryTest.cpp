// The configuration memory: reading and writing block by block with the
// expected-reply phases, the memory file and its checks, and how the window
// shows an image.
#include "DeviceTestSupport.h"
#include "comm/DeviceReplies.h"
#include "core/Clock.h"
#include "devices/MemoryFile.h"
#include "devices/MemoryImage.h"
#include "devices/MemoryTransfer.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int Read = TDeviceReplies::BlockReadReply;
constexpr int Written = TDeviceReplies::BlockWrittenReply;

QByteArray Pattern(int n, int seed = 0)
{
    QByteArray bytes(n, '\0');
    for (int i = 0; i < n; ++i)
        bytes[i] = char(i * 7 + seed);
    return bytes;
}

class MemoryTransferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        transfer.OnEnded = [this](TTransferEnd how) { ends.push_back(how); };
    }
    void Block(int kind, quint32 block, const QByteArray& device)
    {
        QByteArray data = BigEndian(block);
        if (kind == Read)
            data += device.mid(block, 32).leftJustified(32, '\0');
        const QByteArray frame = Reply(kind == Read ? 0x6A : 0x66, data);
        transfer.OnBlock(kind, reinterpret_cast<const uint8_t*>(frame.constData()), int(frame.size()));
    }
    // The block addresses of the requests sent since the last call.
    QStringList Blocks()
    {
        QStringList blocks;
        for (const QString& f : line.Take())
            blocks << f.mid(21, 11).remove(' ');
        return blocks;
    }
    RecordingLine line;
    ManualClock clock;
    TMemoryTransfer transfer{line, clock};
    std::vector<TTransferEnd> ends;
};

}  // namespace

TEST_F(MemoryTransferTest, ReadsAHundredBytesInFourBlocks)
{
    const QByteArray device = Pattern(100);
    transfer.StartRead(1);
    EXPECT_EQ(line.Take(), QStringList({"AA C1 01 03 01 68 00 D8 55"}));
    // Block replies before the size are of the wrong kind.
    Block(Read, 0, device);
    EXPECT_TRUE(line.Take().isEmpty());
    transfer.OnSize(100);
    for (quint32 block : {0u, 32u, 64u, 96u})
        Block(Read, block, device);
    EXPECT_EQ(Blocks(), QStringList({"00000000", "00000020", "00000040", "00000060"}));
    EXPECT_EQ(ends, std::vector<TTransferEnd>{TTransferEnd::Done});
    EXPECT_EQ(transfer.ReadImage(), device);
    EXPECT_EQ(transfer.Progress(), 100);
}

TEST_F(MemoryTransferTest, StrayRepliesChangeNothing)
{
    const QByteArray device = Pattern(200);
    transfer.OnSize(64);  // while idle
    Block(Read, 0, device);
    EXPECT_TRUE(line.Take().isEmpty());

    transfer.StartRead(1);
    transfer.OnSize(200);
    Block(Read, 0, device);
    Block(Read, 32, device);
    line.Take();
    Block(Read, 32, device);     // block 64 was asked for
    Block(Written, 64, device);  // another kind
    transfer.OnSize(96);         // the size again
    const QByteArray shortReply = Reply(0x6A, BigEndian(64));
    transfer.OnBlock(Read, reinterpret_cast<const uint8_t*>(shortReply.constData()), int(shortReply.size()));
    EXPECT_TRUE(line.Take().isEmpty());
    EXPECT_EQ(transfer.Progress(), 64);
    for (quint32 block : {64u, 96u, 128u, 160u, 192u})
        Block(Read, block, device);
    EXPECT_EQ(transfer.ReadImage(), device);
}

TEST_F(MemoryTransferTest, WritesTheSmallerOfImageAndDevice)
{
    const struct {
        int image, device;
        QStringList blocks;
    } cases[] = {
        {64, 256, {"", "00000000", "00000020"}},
        {256, 64, {"", "00000000", "00000020"}},
        {65, 256, {"", "00000000", "00000020", "00000040"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.image << " bytes into " << c.device);
        transfer.StartWrite(3, Pattern(c.image));
        transfer.OnSize(quint32(c.device));
        for (int block = 0; block < std::min(c.image, c.device); block += 32)
            Block(Written, quint32(block), {});
        const QStringList frames = line.sent;
        EXPECT_EQ(Blocks().mid(1), c.blocks.mid(1)) << c.image << " into " << c.device;
        EXPECT_EQ(ends.back(), TTransferEnd::Done);
        // The block data: the image's bytes, then erased bytes past its end.
        const QByteArray last = FromHex(frames.last().toLatin1()).mid(11, 32);
        const int block = (std::min(c.image, c.device) - 1) / 32 * 32;
        EXPECT_EQ(last, Pattern(c.image).mid(block, 32).leftJustified(32, '\xFF'));
    }
}

TEST_F(MemoryTransferTest, AnEmptyImageWritesNothing)
{
    transfer.StartWrite(0, {});
    transfer.OnSize(256);
    EXPECT_EQ(line.Take().size(), 1);
    EXPECT_EQ(ends, std::vector<TTransferEnd>{TTransferEnd::Done});
}

TEST_F(MemoryTransferTest, AnAbsurdSizeIsRefusedBeforeAnythingIsAllocated)
{
    transfer.StartRead(1);
    transfer.OnSize(0xFFFFFFFFu);
    EXPECT_EQ(ends, std::vector<TTransferEnd>{TTransferEnd::Refused});
    EXPECT_EQ(transfer.ReportedSize(), 0xFFFFFFFFu);
    EXPECT_EQ(line.Take().size(), 1);
    // The largest image a file holds is still read.
    transfer.StartRead(1);
    transfer.OnSize(TMemoryTransfer::MaxSize);
    EXPECT_EQ(Blocks().last(), "00000000");
}

TEST_F(MemoryTransferTest, SilenceEndsTheTransfer)
{
    transfer.StartRead(1);
    transfer.OnSize(64);
    clock.Advance(3001);
    transfer.CheckTimeout();
    EXPECT_EQ(ends, std::vector<TTransferEnd>{TTransferEnd::TimedOut});
    Block(Read, 0, Pattern(64));
    EXPECT_EQ(line.Take().size(), 2);  // the size query and block 0 only
    EXPECT_FALSE(transfer.Running());
}

TEST(MemoryFile, ExportHoldsMagicSizeImageAndSum)
{
    EXPECT_EQ(Hex(MemoryFileBytes(FromHex("010203"))), "51 4F 52 41 44 4D 45 4D 03 00 00 00 01 02 03 06");
    QTemporaryDir dir;
    const QString path = dir.filePath("m.bin");
    ASSERT_TRUE(ExportMemoryFile(path, Pattern(300)));
    QByteArray image;
    EXPECT_EQ(ImportMemoryFile(path, &image), 0);
    EXPECT_EQ(image, Pattern(300));
    EXPECT_FALSE(ExportMemoryFile(dir.filePath("missing/m.bin"), image));
}

TEST(MemoryFile, ImportChecksInOrder)
{
    QTemporaryDir dir;
    const QByteArray good = MemoryFileBytes(FromHex("010203"));
    QByteArray badSum = good;
    badSum[15] = 7;
    QByteArray longer = good + "x";
    QByteArray badMagic = good;
    badMagic[0] = 'q';
    const struct {
        const char* what;
        QByteArray bytes;
        int text;
    } cases[] = {
        {"too big, even with a good head", good + QByteArray(MaxMemoryFileSize, '\0'), 2026},
        {"shorter than 13 bytes", good.left(12), 2026},
        {"no magic", badMagic, 2026},
        {"length not N + 13", longer, 2026},
        {"sum", badSum, 2026},
    };
    const QByteArray previous = "kept";
    for (const auto& c : cases) {
        QFile file(dir.filePath("f"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        QByteArray image = previous;
        EXPECT_EQ(ImportMemoryFile(file.fileName(), &image), c.text) << c.what;
        EXPECT_EQ(image, previous) << c.what;
    }
    QByteArray image;
    EXPECT_EQ(ImportMemoryFile(dir.filePath("none"), &image), 1610);
    // A file that says it is longer than what can be read fails the read check before the magic.
    const QString shortRead = QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled");
    if (QFile::exists(shortRead)) {
        EXPECT_EQ(ImportMemoryFile(shortRead, &image), 2027);
    }
}

TEST(MemoryImage, ControlsShowLimitedValuesAndChoices)
{
    const TMemoryParam& volume = MemoryParams[4];  // 0-15
    EXPECT_EQ(ParamControlValue(volume, 200), 15);
    EXPECT_EQ(ParamByte(volume, 9), 9);
    const TMemoryParam& keys = MemoryParams[7];
    EXPECT_EQ(ParamControlValue(keys, 1), 0);
    EXPECT_EQ(ParamControlValue(keys, 4), 1);
    EXPECT_EQ(ParamControlValue(keys, 2), -1);
    EXPECT_EQ(ParamByte(keys, 1), 4);
    const TMemoryParam& language = MemoryParams[9];
    EXPECT_EQ(ParamControlValue(language, 1), 1);
    EXPECT_EQ(ParamControlValue(language, 2), -1);
}

TEST(MemoryImage, MapSpellsEachCellsAddress)
{
    EXPECT_EQ(MemoryMapRows(100), 7);
    EXPECT_EQ(MemoryMapRows(0), 1);
    EXPECT_EQ(MemoryMapHeader(1), "___0");
    EXPECT_EQ(MemoryMapHeader(16), "___F");
    EXPECT_EQ(MemoryMapRowLabel(0), "000_");
    EXPECT_EQ(MemoryMapRowLabel(0x1A), "01A_");
    const QByteArray image = FromHex("00AB") + QByteArray(16, '\x0c');
    EXPECT_EQ(MemoryMapCell(image, 0, 2), "AB");
    EXPECT_EQ(MemoryMapCell(image, 1, 2), "0C");
    EXPECT_EQ(MemoryMapCell(image, 1, 3), "");
}
