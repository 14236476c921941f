#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace quadrivium {

/// Both database files are keyed with one numeric password. The engine
/// turns its decimal text into the page key with PBKDF2-HMAC-SHA1 over the
/// 16-byte salt at the start of the file (64,000 rounds, 32-byte key), so
/// `sqlcipher FILE` followed by `PRAGMA key = '<password>';` opens them.
constexpr int kSaltSize = 16;
constexpr int kKeySize = 32;
constexpr int kKdfIterations = 64000;

/// The numeric password, assembled at run time.
int DatabasePassword();
/// The password as the passphrase the engine derives its key from.
QByteArray DatabasePassphrase();

/// PBKDF2 with HMAC-SHA1 (RFC 8018) of `passphrase` and `salt`, `length`
/// bytes.
QByteArray Pbkdf2HmacSha1(const QByteArray &passphrase, const QByteArray &salt, int iterations, int length);

/// The raw page key of a file with the given salt. The derivation is slow
/// (tens of milliseconds), so a key once derived is kept in the user's cache
/// (see DerivedKeyCache) and, once found, in this process's memory. A key
/// from the cache is unproven until it opens the file: see
/// RederivedKeyForSalt.
QByteArray RawKeyForSalt(const QByteArray &salt);
/// Called when `failed`, the key RawKeyForSalt gave, did not open a file
/// with `salt`. Unless that key was derived in this process, derives the key
/// again, keeps it in place of the old one and returns it if it differs
/// from `failed`; otherwise nothing (the file is then damaged or keyed
/// otherwise).
std::optional<QByteArray> RederivedKeyForSalt(const QByteArray &salt, const QByteArray &failed);
/// Starts deriving the key of `salt` on a thread of its own, so that a later
/// RawKeyForSalt finds it ready or waits only for the rest of the work.
void PrepareKeyForSalt(const QByteArray &salt);
/// The raw key in the engine's key syntax: "x'<hex key>'", or with the salt
/// appended "x'<hex key><hex salt>'" (which fixes the salt of a new file).
QByteArray RawKeySpec(const QByteArray &key, const QByteArray &salt = {});
/// A fresh random salt for a new file.
QByteArray NewSalt();

} // namespace quadrivium
