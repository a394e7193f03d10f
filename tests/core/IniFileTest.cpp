#include "core/IniFile.h"

#include "core/GbkCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

IniFile Parsed(const QByteArray& bytes)
{
    IniFile ini;
    ini.Parse(bytes);
    return ini;
}

}  // namespace

TEST(IniFile, LooksUpSectionsAndKeysWithoutRegardToCase)
{
    const IniFile ini = Parsed("[Face]\nTitle = Hall one \nViewRecords=50\n[Com]\nPort=3\n");
    EXPECT_EQ(ini.Value(QStringLiteral("face"), QStringLiteral("TITLE")), QStringLiteral("Hall one"));
    EXPECT_EQ(ini.Value(QStringLiteral("COM"), QStringLiteral("port")), QStringLiteral("3"));
    EXPECT_EQ(ini.Value(QStringLiteral("Com"), QStringLiteral("Baud"), QStringLiteral("9600")), QStringLiteral("9600"));
    EXPECT_EQ(ini.Value(QStringLiteral("Sys"), QStringLiteral("Port"), QStringLiteral("none")), QStringLiteral("none"));
    // A key only counts in its own section.
    EXPECT_TRUE(ini.Value(QStringLiteral("Face"), QStringLiteral("Port")).isNull());
}

TEST(IniFile, ReadsCrlfAndLfLinesAlike)
{
    const IniFile crlf = Parsed("[A]\r\nx=1\r\ny=2\r\n");
    const IniFile lf = Parsed("[A]\nx=1\ny=2");
    for (const auto& [name, ini] : {std::pair{"CRLF", &crlf}, std::pair{"LF", &lf}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ini->Keys(QStringLiteral("A")), QStringList({QStringLiteral("x"), QStringLiteral("y")}));
        EXPECT_EQ(ini->Value(QStringLiteral("A"), QStringLiteral("y")), QStringLiteral("2"));
    }
}

TEST(IniFile, CommentsAndOddLinesAreNoKeys)
{
    const IniFile ini = Parsed("; note=1\n[A]\n# hidden=2\nplain line\n=nokey\nk=v=w\n");
    EXPECT_EQ(ini.Keys(QStringLiteral("A")), QStringList{QStringLiteral("k")});
    EXPECT_EQ(ini.Value(QStringLiteral("A"), QStringLiteral("k")), QStringLiteral("v=w"));
    EXPECT_TRUE(ini.Value(QStringLiteral("A"), QStringLiteral("# hidden")).isNull());
}

TEST(IniFile, FirstOfRepeatedSectionsAndKeysWins)
{
    const IniFile ini = Parsed("[A]\nx=1\nx=2\n[B]\n[a]\nx=3\n");
    EXPECT_EQ(ini.Value(QStringLiteral("A"), QStringLiteral("x")), QStringLiteral("1"));
}

TEST(IniFile, ReplacesAValueWhereItStands)
{
    IniFile ini = Parsed("; head\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nx=9\r\n");
    ini.SetValue(QStringLiteral("a"), QStringLiteral("X"), QStringLiteral("5"));
    EXPECT_EQ(ini.ToBytes(), QByteArray("; head\r\n[A]\r\nX=5\r\ny=2\r\n\r\n[B]\r\nx=9\r\n"));
}

TEST(IniFile, AppendsAMissingKeyAfterTheLastKeyOfItsSection)
{
    IniFile ini = Parsed("[A]\nx=1\n; about B\n\n[B]\nz=3\n");
    ini.SetValue(QStringLiteral("A"), QStringLiteral("y"), QStringLiteral("2"));
    ini.SetValue(QStringLiteral("B"), QStringLiteral("w"), QStringLiteral("4"));
    EXPECT_EQ(ini.ToBytes(), QByteArray("[A]\r\nx=1\r\ny=2\r\n; about B\r\n\r\n[B]\r\nz=3\r\nw=4\r\n"));

    IniFile empty = Parsed("[A]\n[B]\n");
    empty.SetValue(QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("1"));
    EXPECT_EQ(empty.ToBytes(), QByteArray("[A]\r\nx=1\r\n[B]\r\n"));
}

TEST(IniFile, AppendsANewSectionAtTheEnd)
{
    IniFile ini = Parsed("[A]\nx=1\n");
    ini.SetValue(QStringLiteral("B"), QStringLiteral("y"), QStringLiteral("2"));
    ini.SetValue(QStringLiteral("B"), QStringLiteral("z"), QString());
    EXPECT_EQ(ini.ToBytes(), QByteArray("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\nz=\r\n"));

    IniFile fresh;
    fresh.SetValue(QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("1"));
    EXPECT_EQ(fresh.ToBytes(), QByteArray("[A]\r\nx=1\r\n"));
}

TEST(IniFile, AValueCannotAddLines)
{
    IniFile ini;
    ini.SetValue(QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("one\r\n[B]\ny=2"));
    EXPECT_EQ(ini.ToBytes(), QByteArray("[A]\r\nx=one  [B] y=2\r\n"));
    EXPECT_TRUE(ini.Keys(QStringLiteral("B")).isEmpty());
}

TEST(IniFile, RemovesEveryCopyOfASection)
{
    IniFile ini = Parsed("[A]\nx=1\n[Message_2]\nText=a\n\n[B]\ny=2\n[message_2]\nText=b\n");
    ini.RemoveSection(QStringLiteral("Message_2"));
    EXPECT_EQ(ini.ToBytes(), QByteArray("[A]\r\nx=1\r\n[B]\r\ny=2\r\n"));
    ini.RemoveSection(QStringLiteral("Missing"));
    EXPECT_EQ(ini.ToBytes(), QByteArray("[A]\r\nx=1\r\n[B]\r\ny=2\r\n"));
}

TEST(IniFile, KeepsUntouchedLinesByteForByteEvenWhenNotValidGbk)
{
    const QByteArray odd("[Message_1]\r\nText=\xFF\xFE broken\r\n");
    IniFile ini = Parsed(odd + "[A]\r\nx=1\r\n");
    ini.SetValue(QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("2"));
    EXPECT_EQ(ini.ToBytes(), odd + "[A]\r\nx=2\r\n");
}

TEST(IniFile, SavesGbkAndLoadsItBack)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("test.ini"));

    IniFile ini;
    ASSERT_TRUE(ini.Load(path));  // a missing file is an empty document
    EXPECT_TRUE(ini.ToBytes().isEmpty());
    ini.SetValue(QStringLiteral("Face"), QStringLiteral("Title"), QStringLiteral("中文"));
    QString error;
    ASSERT_TRUE(ini.Save(path, &error)) << qPrintable(error);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[Face]\r\nTitle=\xD6\xD0\xCE\xC4\r\n"));

    IniFile loaded;
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(loaded.Value(QStringLiteral("face"), QStringLiteral("title")), QStringLiteral("中文"));
}

TEST(IniFile, FailsToSaveOrLoadWhereADirectoryStands)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Config.ini"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Config.ini")));

    IniFile ini = Parsed("[A]\nx=1\n");
    QString error;
    EXPECT_FALSE(ini.Save(path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(path).isDir());

    error.clear();
    EXPECT_FALSE(ini.Load(path, &error));
    EXPECT_FALSE(error.isEmpty());
}
