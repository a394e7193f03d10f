// The backup file byte for byte, and what makes a file chosen for a restore invalid.
#include "MaintenanceFixture.h"

#include "maintenance/BackupFile.h"
#include "maintenance/BackupItems.h"

#include <QtEndian>

namespace {

int32_t Int32At(const QByteArray& b, int offset) { return qFromLittleEndian<qint32>(b.constData() + offset); }

using BackupFile = MaintenanceFixture;

// Written over a longer file, which must end where the backup ends.
TEST_F(BackupFile, SettingsAloneArePlainBytesBehindTwoHeaders)
{
    const QByteArray config = ReadBytes(dirA + "/Config.ini");
    const QString target = tmp.filePath("old.dat");
    WriteBytes(target, QByteArray(1 << 20, 'x'));
    QString why;
    ASSERT_TRUE(WriteBackup(dirA, target, 1u << ItemSettings, false, &why));
    const QByteArray b = ReadBytes(target);
    ASSERT_EQ(b.size(), 32 + 32 + config.size());
    EXPECT_EQ(b.left(16), "QORA DATA Backup");
    EXPECT_EQ(Int32At(b, 16), 32 + config.size());
    EXPECT_EQ(b[20], 0);
    EXPECT_EQ(Int32At(b, 21), 2);
    EXPECT_EQ(b.mid(25, 7), QByteArray(7, '\0'));
    EXPECT_EQ(b[32], 1);
    EXPECT_EQ(Int32At(b, 33), config.size());
    EXPECT_EQ(b.mid(37, 27), QByteArray("Config.ini").leftJustified(27, '\0'));
    EXPECT_EQ(b.mid(64), config);
}

TEST_F(BackupFile, CompressedBlocksAreZipArchivesUnderTheDataFileName)
{
    const QByteArray b = ReadBytes(Backup(dirA, AllBackupItems, true));
    EXPECT_EQ(b[20], 1);
    EXPECT_EQ(Int32At(b, 21), 0x1F);
    QStringList names;
    for (qsizetype at = 32; at < b.size(); at += 32 + Int32At(b, at + 1)) {
        names << QString::number(b[at]) + ":" + QString::fromLatin1(b.mid(at + 5, 27)).remove(QChar(0));
        EXPECT_TRUE(b.mid(at + 32, 4) == "PK\x03\x04");
    }
    EXPECT_EQ(names, QStringList({"0:Operate.db", "1:Config.ini", "2:LayOutName.db", "2:LayOutPoint.db",
                                  "3:DutyTable.db", "3:Waiter.db", "4:CallInfo.db"}));
}

// Nor is a data file ever taken for a target.
TEST_F(BackupFile, AFailedBackupLeavesNoFileAndAnExistingOneAsItWas)
{
    QString why;
    const QString fresh = tmp.filePath("fresh.dat");
    const QString old = tmp.filePath("old.dat");
    WriteBytes(old, "an older backup");
    QFile::remove(dirA + "/LayOutPoint.db");  // a table file that cannot be read
    const QByteArray calls = ReadBytes(dirA + "/CallInfo.db");
    EXPECT_FALSE(WriteBackup(dirA, dirA + "/../A/callinfo.DB", 1u << ItemSettings, false, &why));
    EXPECT_EQ(ReadBytes(dirA + "/CallInfo.db"), calls);
    for (const QString& target : {fresh, old})
        EXPECT_FALSE(WriteBackup(dirA, target, AllBackupItems, false, &why));
    EXPECT_TRUE(why.contains("LayOutPoint.db")) << why.toStdString();
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_EQ(ReadBytes(old), "an older backup");
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"old.dat"});
}

TEST_F(BackupFile, OnlyAWholeFileWithItsMagicOpens)
{
    const QByteArray good = ReadBytes(Backup(dirA, (1u << ItemOperators) | (1u << ItemLayouts), false));
    const QString path = tmp.filePath("probe.dat");
    const auto open = [&](const QByteArray& bytes) {
        WriteBytes(path, bytes);
        TBackupFile f;
        return f.Open(path);
    };
    EXPECT_EQ(open(good), TBackupOpen::Ok);
    EXPECT_EQ(open(good.chopped(1)), TBackupOpen::Invalid);
    EXPECT_EQ(open(good + 'x'), TBackupOpen::Invalid);
    EXPECT_EQ(open(good.left(31)), TBackupOpen::Invalid);
    for (int i = 0; i < 16; ++i) {
        QByteArray changed = good;
        changed[i] = changed[i] ^ 0x20;
        EXPECT_EQ(open(changed), TBackupOpen::Invalid) << "magic byte " << i;
    }
    TBackupFile f;
    EXPECT_EQ(f.Open(tmp.filePath("missing.dat")), TBackupOpen::CannotOpen);
    ASSERT_EQ(f.Open(Backup(dirA, (1u << ItemOperators) | (1u << ItemLayouts), false)), TBackupOpen::Ok);
    EXPECT_EQ(f.Mask(), 5u);
}

TEST(BackupItemList, ParsesItemNumbersOnly)
{
    const struct {
        const char* text;
        bool ok;
        uint32_t mask;
    } cases[] = {{"0,1,2,3,4", true, 0x1F}, {"4", true, 0x10}, {" 2, 0 ", true, 5}, {"2,2", true, 4},
                 {"", false, 0}, {"5", false, 0}, {"-1", false, 0}, {"1,,2", false, 0}, {"a", false, 0}};
    for (const auto& c : cases) {
        uint32_t mask = 0;
        EXPECT_EQ(ParseItemList(c.text, &mask), c.ok) << c.text;
        EXPECT_EQ(mask, c.mask) << c.text;
    }
    EXPECT_EQ(ItemListText(0x15), "0,2,4");
}

}  // namespace
