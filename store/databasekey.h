#pragma once

#include <QByteArray>
#include <QString>

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
/// bytes; the same bytes as OpenSSL's PKCS5_PBKDF2_HMAC with SHA-1, without
/// its allocations in every round.
QByteArray Pbkdf2HmacSha1(const QByteArray &passphrase, const QByteArray &salt, int iterations, int length);

/// The raw page key of a file with the given salt. The derivation is slow
/// (tens of milliseconds) and is therefore done once per salt and process;
/// the keys stay in this process's memory only.
QByteArray RawKeyForSalt(const QByteArray &salt);
/// Starts deriving the key of `salt` on a thread of its own, so that a later
/// RawKeyForSalt finds it ready or waits only for the rest of the work.
void PrepareKeyForSalt(const QByteArray &salt);
/// The raw key in the engine's key syntax: "x'<hex key>'", or with the salt
/// appended "x'<hex key><hex salt>'" (which fixes the salt of a new file).
QByteArray RawKeySpec(const QByteArray &key, const QByteArray &salt = {});
/// A fresh random salt for a new file.
QByteArray NewSalt();

} // namespace quadrivium
