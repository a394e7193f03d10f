// Restores: round trips, items picked out of a file, and damaged blocks that
// must leave the data files as they were, also under a live connection.
#include "MaintenanceFixture.h"

#include "core/ResStrings.h"
#include "maintenance/BackupFile.h"
#include "maintenance/BackupFormat.h"
#include "maintenance/BackupItems.h"
#include "maintenance/Restore.h"
#include "maintenance/TableFiles.h"

#include <QtEndian>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

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

// Lengths come from the file: one past the end, zero, negative or absurd fails the restore before
// anything is read, also of the item before the bad block.
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
        EXPECT_FALSE(RestoreFile(file, 0b10001, {dirA, nullptr, {}, {}}, &why)) << length;
        EXPECT_TRUE(why.contains(QString::number(history))) << why.toStdString();
        EXPECT_NE(Rows(dirA, "Operate"), Rows(dirB, "Operate"));
        EXPECT_EQ(Rows(dirA, "CallInfo").size(), 40);
        EXPECT_NE(Rows(dirA, "CallInfo"), Rows(dirB, "CallInfo"));
    }
}

// A restore is all or nothing: a damaged later item leaves the earlier ones as they were, and
// the station's steps run only around a swap, each before and after all items.
TEST_F(Restore, ADamagedLaterItemLeavesEveryItemAsItWas)
{
    QByteArray broken = TableBytes(dirB, "LayOutName");
    broken.replace(0, 16, QByteArray(16, 'x'));
    const auto operators = std::make_tuple(int(ItemOperators), QString("Operate.db"), TableBytes(dirB, "Operate"));
    const auto calls = std::make_tuple(int(ItemHistory), QString("CallInfo.db"), TableBytes(dirB, "CallInfo"));
    QStringList steps;
    const TRestoreTarget target{dirA, nullptr, [&](int item) { steps << QString("before %1").arg(item); },
                                [&](int item, bool ok) { steps << QString("after %1 %2").arg(item).arg(ok); }};
    const QStringList before = Snapshot(dirA);
    EXPECT_FALSE(RestoreFile(Compose({operators, {ItemLayouts, "LayOutName.db", broken}, calls}), 0b10101, target));
    EXPECT_EQ(steps, QStringList());
    EXPECT_EQ(Snapshot(dirA), before);
    EXPECT_EQ(Leftovers(dirA), QStringList());

    EXPECT_TRUE(RestoreFile(Compose({operators, calls}), 0b10001, target));
    EXPECT_EQ(steps, QStringList({"before 0", "before 4", "after 0 1", "after 4 1"}));
    EXPECT_EQ(Rows(dirA, "Operate"), Rows(dirB, "Operate"));
    EXPECT_EQ(Rows(dirA, "CallInfo"), Rows(dirB, "CallInfo"));
}

// Nothing to restore is a failure, not a completed restore: no item at all, or an item
// whose blocks lack one of its files (blocks of other names are passed over, never written).
TEST_F(Restore, AnItemWithoutItsFilesOrNoItemFails)
{
    const QByteArray names = TableBytes(dirB, "LayOutName");
    const struct {
        const char* what;
        QString file;
        QString reason;
    } cases[] = {
        {"no item", Compose({}), LoadResStr(1612)},
        {"index files only", Compose({{ItemLayouts, "LayOutName.px", "index"}, {ItemLayouts, "LayOutPoint.PX", "index"}}),
         LoadResStr(3214).arg(BackupItemName(ItemLayouts), "LayOutName.db, LayOutPoint.db")},
        {"one file of two", Compose({{ItemLayouts, "LayOutName.db", names}}),
         LoadResStr(3214).arg(BackupItemName(ItemLayouts), "LayOutPoint.db")},
        {"another item's file", Compose({{ItemSettings, "Operate.db", TableBytes(dirB, "Operate")}}),
         LoadResStr(3214).arg(BackupItemName(ItemSettings), "Config.ini")},
    };
    const QStringList before = Snapshot(dirA);
    for (const auto& c : cases) {
        TBackupFile f;
        ASSERT_EQ(f.Open(c.file), TBackupOpen::Ok) << c.what;
        QString why;
        EXPECT_FALSE(RestoreItems(f, f.Mask(), {dirA, nullptr, {}, {}}, &why)) << c.what;
        EXPECT_EQ(why, c.reason) << c.what;
        EXPECT_EQ(Snapshot(dirA), before) << c.what;
        EXPECT_EQ(Leftovers(dirA), QStringList()) << c.what;
    }
}

// A restore run by root (cron) leaves the files to the user the station runs as: each keeps the
// mode, owner and group of the file it replaces, and a new one takes those of the other tables.
TEST_F(Restore, RestoredFilesKeepTheModeOwnerAndGroupOfTheDataDirectory)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving files to another user needs root";
    const QString file = Backup(dirB, AllBackupItems, true);
    struct stat st {};
    const auto attributes = [&](const QString& name) {
        EXPECT_EQ(::stat(QFile::encodeName(dirA + "/" + name).constData(), &st), 0) << name.toStdString();
        return std::make_tuple(st.st_uid, st.st_gid, st.st_mode & 07777);
    };
    const QStringList files{"Operate.db", "Config.ini", "LayOutName.db", "LayOutPoint.db", "DutyTable.db", "Waiter.db"};
    for (const QString& name : files) {
        const QByteArray path = QFile::encodeName(dirA + "/" + name);
        ASSERT_EQ(::chown(path.constData(), 4321, 4322), 0);
        ASSERT_EQ(::chmod(path.constData(), name == "Config.ini" ? 0664 : 0660), 0);
    }
    ASSERT_TRUE(QFile::remove(dirA + "/CallInfo.db"));
    ASSERT_TRUE(RestoreFile(file, AllBackupItems, {dirA, nullptr, {}, {}}));
    for (const QString& name : files + QStringList{"CallInfo.db"})
        EXPECT_EQ(attributes(name), std::make_tuple(4321u, 4322u, name == "Config.ini" ? 0664u : 0660u))
            << name.toStdString();
}

}  // namespace
