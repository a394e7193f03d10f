#include "operators/PasswordHash.h"

#include <QRandomGenerator>
#include <QStringList>
#include <QtNetwork/QPasswordDigestor>
#include <array>

namespace {

const QString Prefix = QStringLiteral("pbkdf2-sha256$");
constexpr int SaltBytes = 16;
constexpr int KeyBytes = 32;
// A stored iteration count beyond this is taken for damage, not for a stronger digest.
constexpr int MaxIterations = 10'000'000;

QByteArray DeriveKey(const QString& password, const QByteArray& salt, int iterations)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt,
                                              iterations, KeyBytes);
}

// Compares without stopping at the first difference, so the time taken tells nothing
// about how much of a guess was right.
bool SameBytes(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

}  // namespace

QString HashPassword(const QString& password, int iterations)
{
    std::array<quint32, SaltBytes / 4> words{};
    QRandomGenerator::system()->fillRange(words.data(), static_cast<qsizetype>(words.size()));
    const QByteArray salt(reinterpret_cast<const char*>(words.data()), SaltBytes);
    return Prefix + QString::number(iterations) + QLatin1Char('$') + QString::fromLatin1(salt.toBase64())
        + QLatin1Char('$') + QString::fromLatin1(DeriveKey(password, salt, iterations).toBase64());
}

bool IsPasswordHash(const QString& stored)
{
    return stored.startsWith(Prefix);
}

bool PasswordMatches(const QString& stored, const QString& typed)
{
    if (!IsPasswordHash(stored))
        return SameBytes(stored.toUtf8(), typed.toUtf8());

    const QStringList parts = stored.mid(Prefix.size()).split(QLatin1Char('$'));
    if (parts.size() != 3)
        return false;
    bool numeric = false;
    const int iterations = parts[0].toInt(&numeric);
    const auto decoded = [](const QString& text) {
        return QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    };
    const auto salt = decoded(parts[1]);
    const auto key = decoded(parts[2]);
    if (!numeric || iterations < 1 || iterations > MaxIterations || !salt || !key || (*key).isEmpty())
        return false;
    return SameBytes(DeriveKey(typed, *salt, iterations), *key);
}
