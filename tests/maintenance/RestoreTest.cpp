// Restores: round trips, items picked out of a file, and damaged blocks that
// must leave the data files as they were, also under a live connection.
#include "MaintenanceFixture.h"

#include "maintenance/BackupFile.h"
#include "maintenance/BackupFormat.h"
#include "maintenance/BackupItems.h"
#include "maintenance/Restore.h"
#include "maintenance/TableFiles.h"

#include <QtEndian>
#include <tuple>

namespace {

class Restore : public MaintenanceFixture {
protected:
    bool RestoreFile(const QString& file, uint32_t mask, const TRestoreTarget& target, QString* why = nullptr)
    {
        TBackupFile backup;
        EXPECT_EQ(backup.Open(file), TBackupOpen::Ok);
        QString reason;
        const bool ok = RestoreItems(backup, mask, target, &reason);
        if (why)
            *why = reason;
        return ok;
    }

    // A backup file put together block by block (item, name, content), as another writer may have made it.
    QString Compose(const std::vector<std::tuple<int, QString, QByteArray>>& blocks, bool compressed = false)
    {
        QByteArray body;
        uint32_t mask = 0;
        for (const auto& [item, name, content] : blocks) {
            body += EncodeBlockHeader({item, int32_t(content.size()), name}) + content;
            mask |= 1u << item;
        }
        const QString file = tmp.filePath(QStringLiteral("composed-%1.dat").arg(++backups));
        WriteBytes(file, EncodeBackupHeader({int32_t(body.size()), compressed, mask}) + body);
        return file;
    }

    // A table file as a backup holds it.
    QByteArray TableBytes(const QString& dir, const QString& table)
    {
        const QString copy = tmp.filePath(QStringLiteral("copy-%1.db").arg(++backups));
        QString why;
        EXPECT_TRUE(CopyTableFile(dir + "/" + table + ".db", copy, &why)) << why.toStdString();
        return ReadBytes(copy);
    }
};

// With and without compression, into a wiped data directory and under a live connection,
// which must read the restored tables at once.
class RoundTrip : public Restore, public ::testing::WithParamInterface<std::tuple<bool, bool>> {};

TEST_P(RoundTrip, EveryTableComesBackRowForRowAndSettingsByteForByte)
{
    const auto [compress, live] = GetParam();
    const QStringList expected = Snapshot(dirB);
    const QString file = Backup(dirB, AllBackupItems, compress);
    TDM_Sys store;
    ASSERT_TRUE(live ? store.Open(dirA) : QDir(dirA).removeRecursively());
    QString why;
    ASSERT_TRUE(RestoreFile(file, AllBackupItems, {dirA, live ? &store : nullptr, {}, {}}, &why)) << why.toStdString();
    EXPECT_EQ(Leftovers(dirA), QStringList());
    ASSERT_TRUE(live || store.Open(dirA));
    EXPECT_EQ(Snapshot(store), expected);
}

INSTANTIATE_TEST_SUITE_P(CompressionAndLive, RoundTrip, ::testing::Combine(::testing::Bool(), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) ? "Compressed" : "Plain")
                                    + (std::get<1>(info.param) ? "IntoALiveStore" : "IntoAWipedDirectory");
                         });

TEST_F(Restore, OneItemIsPickedOutOfAFileHoldingOthers)
{
    const QString file = Backup(dirB, (1u << ItemOperators) | (1u << ItemLayouts), false);
    const QStringList operatorsA = Rows(dirA, "Operate");
    ASSERT_TRUE(RestoreFile(file, 1u << ItemLayouts, {dirA, nullptr, {}, {}}));
    EXPECT_EQ(Rows(dirA, "Operate"), operatorsA);
    EXPECT_EQ(Rows(dirA, "LayOutName"), Rows(dirB, "LayOutName"));
    EXPECT_EQ(Rows(dirA, "LayOutPoint"), Rows(dirB, "LayOutPoint"));
}

TEST_F(Restore, BlockNamesMatchIgnoringCaseAndIndexFilesArePassedOver)
{
    const QString file = Compose({{ItemLayouts, "LAYOUTNAME.DB", TableBytes(dirB, "LayOutName")},
                                  {ItemLayouts, "LayOutName.px", "index"},
                                  {ItemLayouts, "LayOutPoint.DB", TableBytes(dirB, "LayOutPoint")},
                                  {ItemLayouts, "../LayOutPoint.PX", "index"}});
    QString why;
    ASSERT_TRUE(RestoreFile(file, 1u << ItemLayouts, {dirA, nullptr, {}, {}}, &why)) << why.toStdString();
    EXPECT_EQ(Rows(dirA, "LayOutName"), Rows(dirB, "LayOutName"));
    EXPECT_EQ(Rows(dirA, "LayOutPoint"), Rows(dirB, "LayOutPoint"));
    EXPECT_EQ(Leftovers(dirA), QStringList());
    EXPECT_FALSE(QFile::exists(tmp.filePath("LayOutPoint.PX")));
}

// Each way a block can be damaged; the restore fails and the live tables stay as they were.
TEST_F(Restore, ADamagedBlockLeavesTheItemsFilesAsTheyWere)
{
    const QByteArray calls = TableBytes(dirB, "CallInfo");
    const QByteArray waiters = TableBytes(dirB, "Waiter");
    QByteArray headless = calls;
    headless.replace(0, 100, QByteArray(100, 'x'));
    QByteArray zipped = ReadBytes(Backup(dirB, 1u << ItemHistory, true)).mid(64);
    zipped[zipped.size() / 2] = zipped[zipped.size() / 2] ^ 0x55;
    const QByteArray settings = ReadBytes(dirB + "/Config.ini");

    const struct {
        const char* what;
        QString file;
    } cases[] = {
        {"not an SQLite file", Compose({{ItemHistory, "CallInfo.db", headless}})},
        {"another table's file", Compose({{ItemHistory, "CallInfo.db", waiters}})},
        {"cut short", Compose({{ItemHistory, "CallInfo.db", calls.left(calls.size() / 2)}})},
        {"archive damaged", Compose({{ItemHistory, "CallInfo.db", zipped}}, true)},
        {"archive of another name", Compose({{ItemHistory, "CallInfo.db", ReadBytes(Backup(dirB, 1u << ItemSettings, true)).mid(64)}}, true)},
        {"settings not text", Compose({{ItemSettings, "Config.ini", settings + QByteArray(4, '\0')}})},
        {"second file of two", Compose({{ItemLayouts, "LayOutName.db", TableBytes(dirB, "LayOutName")},
                                        {ItemLayouts, "LayOutPoint.db", headless}})},
    };
    TDM_Sys live;
    ASSERT_TRUE(live.Open(dirA));
    const QStringList before = Snapshot(dirA);
    for (const auto& c : cases) {
        TBackupFile f;
        ASSERT_EQ(f.Open(c.file), TBackupOpen::Ok) << c.what;
        QString why;
        EXPECT_FALSE(RestoreItems(f, f.Mask(), {dirA, &live, {}, {}}, &why)) << c.what;
        EXPECT_FALSE(why.isEmpty()) << c.what;
        EXPECT_EQ(Snapshot(dirA), before) << c.what;
        EXPECT_EQ(Rows(live, "CallInfo").size(), 40) << c.what;
        EXPECT_EQ(Leftovers(dirA), QStringList()) << c.what;
    }
}

// Lengths come from the file: one past the end, zero, negative or absurd fails the item before
// anything is read, and an item before the bad block still restores.
TEST_F(Restore, BlockLengthsAreNotTrusted)
{
    const QString good = Backup(dirB, (1u << ItemOperators) | (1u << ItemHistory), false);
    const QByteArray bytes = ReadBytes(good);
    const qsizetype history = 32 + 32 + qFromLittleEndian<qint32>(bytes.constData() + 33);
    const std::pair<const char*, qint32> lengths[] = {
        {"one past the end", qint32(bytes.size() - history - 32 + 1)}, {"zero", 0}, {"negative", -5},
        {"absurd", qint32(0x7FFFFFFF)}};
    for (const auto& [name, length] : lengths) {
        SCOPED_TRACE(name);
        QByteArray b = bytes;
        qToLittleEndian<qint32>(length, b.data() + history + 1);
        const QString file = tmp.filePath("bad-length.dat");
        WriteBytes(file, b);
        QString why;
        EXPECT_FALSE(RestoreFile(file, AllBackupItems, {dirA, nullptr, {}, {}}, &why)) << length;
        EXPECT_TRUE(why.contains(QString::number(history))) << why.toStdString();
        EXPECT_EQ(Rows(dirA, "Operate"), Rows(dirB, "Operate"));
        EXPECT_EQ(Rows(dirA, "CallInfo").size(), 40);
        EXPECT_NE(Rows(dirA, "CallInfo"), Rows(dirB, "CallInfo"));
    }
}

TEST_F(Restore, ItemsRunInOrderBetweenTheirStepsAndStopAtTheFirstFailure)
{
    QByteArray broken = TableBytes(dirB, "LayOutName");
    broken.replace(0, 16, QByteArray(16, 'x'));
    const QString file = Compose({{ItemOperators, "Operate.db", TableBytes(dirB, "Operate")},
                                  {ItemLayouts, "LayOutName.db", broken},
                                  {ItemHistory, "CallInfo.db", TableBytes(dirB, "CallInfo")}});
    QStringList steps;
    TRestoreTarget target{dirA, nullptr, [&](int item) { steps << QString("before %1").arg(item); },
                          [&](int item, bool ok) { steps << QString("after %1 %2").arg(item).arg(ok); }};
    EXPECT_FALSE(RestoreFile(file, 0b10101, target));
    EXPECT_EQ(steps, QStringList({"before 0", "after 0 1", "before 2", "after 2 0"}));
    EXPECT_EQ(Rows(dirA, "Operate"), Rows(dirB, "Operate"));
    EXPECT_NE(Rows(dirA, "CallInfo"), Rows(dirB, "CallInfo"));
}

}  // namespace
