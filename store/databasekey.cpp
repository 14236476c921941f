#include "databasekey.h"

#include "keycache.h"

#include <nettle/pbkdf2.h>
#include <openssl/crypto.h>
#include <openssl/rand.h>

#include <array>
#include <future>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <unordered_map>

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

QByteArray Pbkdf2HmacSha1(const QByteArray &passphrase, const QByteArray &salt, int iterations, int length)
{
    QByteArray derived(length, '\0');
    pbkdf2_hmac_sha1(size_t(passphrase.size()), reinterpret_cast<const uint8_t *>(passphrase.constData()),
                     unsigned(iterations), size_t(salt.size()), reinterpret_cast<const uint8_t *>(salt.constData()),
                     size_t(length), reinterpret_cast<uint8_t *>(derived.data()));
    return derived;
}

namespace {

QByteArray deriveKey(const QByteArray &salt)
{
    return Pbkdf2HmacSha1(DatabasePassphrase(), salt, kKdfIterations, kKeySize);
}

/// A page key and where it came from.
struct Key {
    QByteArray bytes;
    bool derived = false; ///< derived in this process, not read from the user's cache
};

/// The keys of this process by salt, each looked up or derived once, by
/// whichever thread asks first; the others wait for it. Never destroyed, so
/// that a thread still deriving at exit finds it in place.
struct KeyTable {
    std::mutex mutex;
    std::unordered_map<std::string, std::shared_future<Key>> keys;
};

KeyTable &keyTable()
{
    static KeyTable *table = new KeyTable;
    return *table;
}

/// The future of the key of `salt`; `fetch` is set when the caller is to
/// fetch it and fulfil `promise`.
std::shared_future<Key> keyFuture(const QByteArray &salt, std::promise<Key> &promise, bool &fetch)
{
    KeyTable &table = keyTable();
    std::lock_guard lock(table.mutex);
    const std::string id = salt.toStdString();
    const auto found = table.keys.find(id);
    fetch = found == table.keys.end();
    if (!fetch)
        return found->second;
    std::shared_future<Key> future = promise.get_future().share();
    table.keys.emplace(id, future);
    return future;
}

/// Derives the key of `salt` and keeps it in the user's cache.
Key deriveAndKeep(const QByteArray &salt)
{
    Key key{deriveKey(salt), true};
    DerivedKeyCache::store(salt, key.bytes);
    return key;
}

/// The key of `salt` from the user's cache, or derived when it has none.
void fulfil(const QByteArray &salt, std::promise<Key> &promise)
{
    try {
        const QByteArray kept = DerivedKeyCache::load(salt, kKeySize);
        promise.set_value(kept.isEmpty() ? deriveAndKeep(salt) : Key{kept, false});
    } catch (...) {
        promise.set_exception(std::current_exception());
        KeyTable &table = keyTable();
        std::lock_guard lock(table.mutex);
        table.keys.erase(salt.toStdString()); // the next request tries again
    }
}

Key keyForSalt(const QByteArray &salt)
{
    std::promise<Key> promise;
    bool fetch = false;
    const std::shared_future<Key> key = keyFuture(salt, promise, fetch);
    if (fetch)
        fulfil(salt, promise);
    return key.get();
}

} // namespace

QByteArray RawKeyForSalt(const QByteArray &salt)
{
    return keyForSalt(salt).bytes;
}

std::optional<QByteArray> RederivedKeyForSalt(const QByteArray &salt, const QByteArray &failed)
{
    if (keyForSalt(salt).derived)
        return std::nullopt;
    const Key key = deriveAndKeep(salt);
    {
        std::promise<Key> ready;
        ready.set_value(key);
        KeyTable &table = keyTable();
        std::lock_guard lock(table.mutex);
        table.keys.insert_or_assign(salt.toStdString(), ready.get_future().share());
    }
    if (key.bytes == failed)
        return std::nullopt;
    return key.bytes;
}

void PrepareKeyForSalt(const QByteArray &salt)
{
    auto promise = std::make_shared<std::promise<Key>>();
    bool fetch = false;
    keyFuture(salt, *promise, fetch);
    if (fetch)
        std::thread([salt, promise] { fulfil(salt, *promise); }).detach();
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
