#include "core/GbkCodec.h"

#include <gtest/gtest.h>

namespace {

const QString Zhong = QStringLiteral("中");
const QByteArray ZhongGbk("\xD6\xD0", 2);
const QString GrinningFace = QString::fromUtf8("\xF0\x9F\x98\x80");  // outside the BMP, not in GBK

}  // namespace

TEST(GbkCodec, EncodesChineseAsTwoBytesAndAsciiAsOne)
{
    EXPECT_EQ(ToGbk(QStringLiteral("中文a")), QByteArray("\xD6\xD0\xCE\xC4" "a"));
    EXPECT_EQ(ToGbk(QStringLiteral("€")), QByteArray("\x80"));  // the code page's euro sign
    EXPECT_EQ(GbkLength(QStringLiteral("中a")), 3);
    EXPECT_EQ(GbkLength(QString()), 0);
}

TEST(GbkCodec, DecodesWhatItEncodes)
{
    const QString text = QStringLiteral("Velkaro无线呼叫系统 (1号桌)");
    EXPECT_EQ(FromGbk(ToGbk(text)), text);
    EXPECT_EQ(FromGbk(ZhongGbk + "x"), Zhong + QLatin1Char('x'));
}

TEST(GbkCodec, UnmappableCharactersBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(ToGbk(QStringLiteral("a") + GrinningFace + QStringLiteral("b")), QByteArray("a?b"));
    EXPECT_EQ(ToGbk(QStringLiteral("ก中")), QByteArray("?") + ZhongGbk);  // Thai has no GBK form
    EXPECT_EQ(GbkLength(GrinningFace), 1);
}

TEST(GbkCodec, InvalidBytesDecodeAsTheQuestionMarkTheyAreWrittenBackAs)
{
    const QChar replacement(u'?');
    EXPECT_EQ(FromGbk(QByteArray("\xFF" "A", 2)), QString(replacement) + QLatin1Char('A'));
    // A lead byte cut off at the end of the text.
    EXPECT_EQ(FromGbk(ZhongGbk + "\xD6"), Zhong + replacement);
    EXPECT_EQ(ToGbk(FromGbk(QByteArray("\xFF" "A", 2))), QByteArray("?A"));
}

TEST(GbkCodec, CutKeepsWholeCharactersOnly)
{
    const QString text = QStringLiteral("中文字");
    EXPECT_EQ(CutToGbkBytes(text, 3), QStringLiteral("中"));
    EXPECT_EQ(CutToGbkBytes(text, 4), QStringLiteral("中文"));
    EXPECT_EQ(CutToGbkBytes(text, 1), QString());
    EXPECT_EQ(CutToGbkBytes(text, 0), QString());
    EXPECT_EQ(CutToGbkBytes(text, 6), text);
    EXPECT_EQ(CutToGbkBytes(QStringLiteral("ab中c"), 3), QStringLiteral("ab"));
    EXPECT_EQ(CutToGbkBytes(QStringLiteral("ab中c"), 4), QStringLiteral("ab中"));
}

TEST(GbkCodec, CutNeverSplitsASurrogatePair)
{
    // Each of these takes one byte ('?') in GBK, but two UTF-16 units.
    const QString twoFaces = GrinningFace + GrinningFace;
    EXPECT_EQ(CutToGbkBytes(twoFaces, 1), GrinningFace);
    EXPECT_EQ(CutToGbkBytes(QStringLiteral("a") + twoFaces, 2), QStringLiteral("a") + GrinningFace);
}
