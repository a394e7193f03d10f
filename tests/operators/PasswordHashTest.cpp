// Stored passwords: salted digests in a fixed text form, exact matching, and the
// plain texts an older table may still hold.
#include "operators/PasswordHash.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

constexpr int Iterations = 1000;

TEST(PasswordHash, DigestHasItsTextFormWithSaltAndKey)
{
    const QString stored = HashPassword(QStringLiteral("Secret1"), Iterations);
    const QStringList parts = stored.split(QLatin1Char('$'));
    ASSERT_EQ(parts.size(), 4) << stored.toStdString();
    EXPECT_EQ(parts[0], QStringLiteral("pbkdf2-sha256"));
    EXPECT_EQ(parts[1], QStringLiteral("1000"));
    EXPECT_EQ(QByteArray::fromBase64(parts[2].toLatin1()).size(), 16);
    EXPECT_EQ(QByteArray::fromBase64(parts[3].toLatin1()).size(), 32);
    EXPECT_FALSE(stored.contains(QStringLiteral("Secret1")));
    EXPECT_TRUE(IsPasswordHash(stored));
    EXPECT_TRUE(HashPassword(QString()).startsWith(QStringLiteral("pbkdf2-sha256$100000$")));
}

TEST(PasswordHash, SamePasswordGetsAFreshSaltEachTime)
{
    const QString a = HashPassword(QStringLiteral("same"), Iterations);
    const QString b = HashPassword(QStringLiteral("same"), Iterations);
    EXPECT_NE(a.section(QLatin1Char('$'), 2, 2), b.section(QLatin1Char('$'), 2, 2));
    EXPECT_NE(a, b);
    EXPECT_TRUE(PasswordMatches(a, QStringLiteral("same")));
    EXPECT_TRUE(PasswordMatches(b, QStringLiteral("same")));
}

TEST(PasswordHash, MatchesExactlyWithLetterCase)
{
    const QString stored = HashPassword(QStringLiteral("Ab3"), Iterations);
    EXPECT_TRUE(PasswordMatches(stored, QStringLiteral("Ab3")));
    EXPECT_FALSE(PasswordMatches(stored, QStringLiteral("ab3")));
    EXPECT_FALSE(PasswordMatches(stored, QStringLiteral("Ab3 ")));
    EXPECT_FALSE(PasswordMatches(stored, QString()));
    const QString chinese = HashPassword(QStringLiteral("口令"), Iterations);
    EXPECT_TRUE(PasswordMatches(chinese, QStringLiteral("口令")));
    EXPECT_FALSE(PasswordMatches(chinese, QStringLiteral("口")));
}

TEST(PasswordHash, EmptyPasswordMatchesOnlyTheEmptyPassword)
{
    const QString stored = HashPassword(QString(), Iterations);
    EXPECT_TRUE(PasswordMatches(stored, QString()));
    EXPECT_FALSE(PasswordMatches(stored, QStringLiteral(" ")));
    EXPECT_FALSE(PasswordMatches(stored, QStringLiteral("x")));
}

TEST(PasswordHash, PlainTextOfAnOlderTableComparesExactly)
{
    EXPECT_FALSE(IsPasswordHash(QStringLiteral("Secret")));
    EXPECT_TRUE(PasswordMatches(QStringLiteral("Secret"), QStringLiteral("Secret")));
    EXPECT_FALSE(PasswordMatches(QStringLiteral("Secret"), QStringLiteral("secret")));
    EXPECT_TRUE(PasswordMatches(QString(), QString()));
    EXPECT_FALSE(PasswordMatches(QString(), QStringLiteral("a")));
}

TEST(PasswordHash, DamagedDigestMatchesNothing)
{
    const QString good = HashPassword(QStringLiteral("pw"), Iterations);
    const QStringList parts = good.split(QLatin1Char('$'));
    const QStringList damaged = {
        QStringLiteral("pbkdf2-sha256$"),
        QStringLiteral("pbkdf2-sha256$1000$%1").arg(parts[2]),
        QStringLiteral("pbkdf2-sha256$0$%1$%2").arg(parts[2], parts[3]),
        QStringLiteral("pbkdf2-sha256$abc$%1$%2").arg(parts[2], parts[3]),
        QStringLiteral("pbkdf2-sha256$999999999$%1$%2").arg(parts[2], parts[3]),
        QStringLiteral("pbkdf2-sha256$1000$%1$!!notbase64!!").arg(parts[2]),
        QStringLiteral("pbkdf2-sha256$1000$%1$").arg(parts[2]),
        QStringLiteral("pbkdf2-sha256$1001$%1$%2").arg(parts[2], parts[3]),
    };
    for (const QString& stored : damaged)
        EXPECT_FALSE(PasswordMatches(stored, QStringLiteral("pw"))) << stored.toStdString();
    // Nor can the digest text itself be typed as a password.
    EXPECT_FALSE(PasswordMatches(good, good));
}

}  // namespace
