#include "core/SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct TargetCase {
    const char* name;
    // Makes the node the written name leads to; returns the name to write.
    QString (*make)(const QString& dir);
    bool written;
};

QString NewFile(const QString& dir) { return dir + QStringLiteral("/new.csv"); }

QString OldFile(const QString& dir)
{
    QFile old(dir + QStringLiteral("/old.csv"));
    old.open(QIODevice::WriteOnly);
    old.write("old");
    return old.fileName();
}

QString LinkToFile(const QString& dir)
{
    const QString target = OldFile(dir);
    QFile::link(target, dir + QStringLiteral("/link.csv"));
    return dir + QStringLiteral("/link.csv");
}

QString Pipe(const QString& dir)
{
    const QString path = dir + QStringLiteral("/pipe");
    mkfifo(QFile::encodeName(path).constData(), 0600);
    return path;
}

QString LinkToPipe(const QString& dir)
{
    QFile::link(Pipe(dir), dir + QStringLiteral("/out.csv"));
    return dir + QStringLiteral("/out.csv");
}

QString Folder(const QString& dir) { return dir; }

class SaveFileTarget : public testing::TestWithParam<TargetCase> {};

}  // namespace

TEST_P(SaveFileTarget, WritesRegularFilesAndLeavesOtherNodesAsTheyWere)
{
    QTemporaryDir dir;
    const QString path = GetParam().make(dir.path());
    const QFileInfo before(path);
    const bool wasPipe = before.exists() && !before.isFile() && !before.isDir();
    const bool wasLink = before.isSymLink();

    TSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write("new") == 3 && file.commit();

    EXPECT_EQ(written, GetParam().written) << qPrintable(file.errorString());
    const QFileInfo after(path);
    if (written) {
        QFile back(path);
        ASSERT_TRUE(back.open(QIODevice::ReadOnly));
        EXPECT_EQ(back.readAll(), QByteArray("new"));
        EXPECT_EQ(after.isSymLink(), wasLink) << "a link stays a link to the file it names";
    } else {
        EXPECT_FALSE(file.errorString().isEmpty());
        EXPECT_FALSE(after.isFile()) << "the node was replaced by a plain file";
        if (wasPipe) {
            struct stat node {};
            ASSERT_EQ(stat(QFile::encodeName(path).constData(), &node), 0);
            EXPECT_TRUE(S_ISFIFO(node.st_mode));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, SaveFileTarget,
                         testing::Values(TargetCase{"NewFile", NewFile, true}, TargetCase{"OldFile", OldFile, true},
                                         TargetCase{"LinkToFile", LinkToFile, true}, TargetCase{"Pipe", Pipe, false},
                                         TargetCase{"LinkToPipe", LinkToPipe, false},
                                         TargetCase{"Folder", Folder, false}),
                         [](const testing::TestParamInfo<TargetCase>& info) { return info.param.name; });
