#include "databasekey.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <QHash>
#include <QMutex>

#include <array>
#include <stdexcept>

namespace quadrivium {

int DatabasePassword()
{
    // Built from its parts so that the value stands nowhere as one literal.
    static constexpr std::array<int, 4> parts{0x2b, 0x17, 0x3d, 0x09};
    int value = 0;
    for (int part : parts)
        value = value * 97 + part;
    return value;
}

QByteArray DatabasePassphrase()
{
    return QByteArray::number(DatabasePassword());
}

QByteArray RawKeyForSalt(const QByteArray &salt)
{
    static QMutex mutex;
    static QHash<QByteArray, QByteArray> keys;
    QMutexLocker lock(&mutex);
    auto found = keys.constFind(salt);
    if (found != keys.constEnd())
        return *found;
    const QByteArray passphrase = DatabasePassphrase();
    QByteArray key(kKeySize, '\0');
    if (PKCS5_PBKDF2_HMAC(passphrase.constData(), int(passphrase.size()),
                          reinterpret_cast<const unsigned char *>(salt.constData()), int(salt.size()),
                          kKdfIterations, EVP_sha1(), kKeySize,
                          reinterpret_cast<unsigned char *>(key.data()))
        != 1)
        throw std::runtime_error("key derivation failed");
    keys.insert(salt, key);
    return key;
}

QByteArray RawKeySpec(const QByteArray &key, const QByteArray &salt)
{
    return "x'" + key.toHex() + salt.toHex() + "'";
}

QByteArray NewSalt()
{
    QByteArray salt(kSaltSize, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char *>(salt.data()), kSaltSize) != 1)
        throw std::runtime_error("no random bytes for a new database salt");
    return salt;
}

} // namespace quadrivium
