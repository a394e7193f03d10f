#pragma once
// Operator passwords are kept as salted PBKDF2-HMAC-SHA256 digests, never as typed:
// "pbkdf2-sha256$<iterations>$<salt base64>$<key base64>".
#include <QString>

constexpr int DefaultPasswordIterations = 100000;

// The digest of password under a fresh random 16-byte salt.
QString HashPassword(const QString& password, int iterations = DefaultPasswordIterations);
// True when stored is a digest; false for a plain-text password left by an older table.
bool IsPasswordHash(const QString& stored);
// Whether typed is the password kept in stored (a digest, or plain text compared exactly).
// Letter case counts; the empty password matches only a digest or plain text of the empty password.
bool PasswordMatches(const QString& stored, const QString& typed);
