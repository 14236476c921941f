#include "databasekey.h"

#include "sha1lanes.h"

// The plain SHA-1 calls are deprecated in OpenSSL 3 in favour of EVP, whose
// per-call allocations make the key derivation several times slower.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/crypto.h>
#include <openssl/rand.h>
#include <openssl/sha.h>

#include <algorithm>
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

namespace {

/// Writes the chaining value of `state` big-endian into the first 20 bytes
/// of `block`: the digest of a message whose padding is already in place.
void digestInto(unsigned char *block, const SHA_CTX &state)
{
    const SHA_LONG h[] = {state.h0, state.h1, state.h2, state.h3, state.h4};
    for (int i = 0; i < 5; ++i) {
        block[4 * i] = static_cast<unsigned char>(h[i] >> 24);
        block[4 * i + 1] = static_cast<unsigned char>(h[i] >> 16);
        block[4 * i + 2] = static_cast<unsigned char>(h[i] >> 8);
        block[4 * i + 3] = static_cast<unsigned char>(h[i]);
    }
}

} // namespace

QByteArray Pbkdf2HmacSha1(const QByteArray &passphrase, const QByteArray &salt, int iterations, int length)
{
    // The states after the inner and outer pads are computed once. Every
    // later round hashes a 20-byte digest after a pad, 84 bytes in all, so
    // its second block is the digest followed by fixed padding: each round
    // is then two compressions of that one block.
    constexpr int kBlock = 64;
    std::array<unsigned char, kBlock> key{};
    if (passphrase.size() > kBlock)
        SHA1(reinterpret_cast<const unsigned char *>(passphrase.constData()), size_t(passphrase.size()), key.data());
    else
        std::copy(passphrase.begin(), passphrase.end(), key.begin());
    std::array<unsigned char, kBlock> pad{};
    SHA_CTX inner, outer;
    for (int i = 0; i < kBlock; ++i)
        pad[size_t(i)] = key[size_t(i)] ^ 0x36;
    SHA1_Init(&inner);
    SHA1_Update(&inner, pad.data(), kBlock);
    for (int i = 0; i < kBlock; ++i)
        pad[size_t(i)] = key[size_t(i)] ^ 0x5c;
    SHA1_Init(&outer);
    SHA1_Update(&outer, pad.data(), kBlock);

    // The padded block: digest, the end mark, zeros, and the message length
    // of 84 bytes in bits (672 = 0x02a0) at the end.
    std::array<unsigned char, kBlock> block{};
    block[SHA_DIGEST_LENGTH] = 0x80;
    block[kBlock - 2] = 0x02;
    block[kBlock - 1] = 0xa0;

    // U1 of output block `index`: the salt and the block's number.
    const auto firstRound = [&](quint32 index, unsigned char *u) {
        const unsigned char counter[4] = {static_cast<unsigned char>(index >> 24),
                                          static_cast<unsigned char>(index >> 16),
                                          static_cast<unsigned char>(index >> 8), static_cast<unsigned char>(index)};
        SHA_CTX ctx = inner;
        SHA1_Update(&ctx, salt.constData(), size_t(salt.size()));
        SHA1_Update(&ctx, counter, sizeof counter);
        SHA1_Final(u, &ctx);
        ctx = outer;
        SHA1_Update(&ctx, u, SHA_DIGEST_LENGTH);
        SHA1_Final(u, &ctx);
        OPENSSL_cleanse(&ctx, sizeof ctx);
    };

    QByteArray derived;
    quint32 index = 1;
    if (HasSha1Lanes()) {
        // Two blocks at a time; a single last block takes the way below.
        Sha1State in = {inner.h0, inner.h1, inner.h2, inner.h3, inner.h4};
        Sha1State out = {outer.h0, outer.h1, outer.h2, outer.h3, outer.h4};
        for (; length - derived.size() > SHA_DIGEST_LENGTH; index += 2) {
            unsigned char first[2][SHA_DIGEST_LENGTH];
            unsigned char t[2][SHA_DIGEST_LENGTH];
            firstRound(index, first[0]);
            firstRound(index + 1, first[1]);
            HmacSha1RoundsTwoLanes(in, out, first, iterations, t);
            derived.append(reinterpret_cast<const char *>(t), sizeof t);
            OPENSSL_cleanse(first, sizeof first);
            OPENSSL_cleanse(t, sizeof t);
        }
        OPENSSL_cleanse(in, sizeof in);
        OPENSSL_cleanse(out, sizeof out);
    }
    for (; derived.size() < length; ++index) {
        firstRound(index, block.data());
        unsigned char t[SHA_DIGEST_LENGTH];
        std::copy_n(block.begin(), SHA_DIGEST_LENGTH, std::begin(t));
        SHA_CTX ctx;
        for (int round = 1; round < iterations; ++round) {
            ctx = inner;
            SHA1_Transform(&ctx, block.data());
            digestInto(block.data(), ctx);
            ctx = outer;
            SHA1_Transform(&ctx, block.data());
            digestInto(block.data(), ctx);
            for (int i = 0; i < SHA_DIGEST_LENGTH; ++i)
                t[i] ^= block[size_t(i)];
        }
        derived.append(reinterpret_cast<const char *>(t), SHA_DIGEST_LENGTH);
        OPENSSL_cleanse(t, sizeof t);
        OPENSSL_cleanse(&ctx, sizeof ctx);
    }
    OPENSSL_cleanse(key.data(), key.size());
    OPENSSL_cleanse(pad.data(), pad.size());
    OPENSSL_cleanse(block.data(), block.size());
    OPENSSL_cleanse(&inner, sizeof inner);
    OPENSSL_cleanse(&outer, sizeof outer);
    derived.truncate(length);
    return derived;
}

namespace {

QByteArray deriveKey(const QByteArray &salt)
{
    return Pbkdf2HmacSha1(DatabasePassphrase(), salt, kKdfIterations, kKeySize);
}

/// The keys of this process by salt, each derived once, by whichever thread
/// asks first; the others wait for it. Never destroyed, so that a thread
/// still deriving at exit finds it in place.
struct KeyCache {
    std::mutex mutex;
    std::unordered_map<std::string, std::shared_future<QByteArray>> keys;
};

KeyCache &keyCache()
{
    static KeyCache *cache = new KeyCache;
    return *cache;
}

/// The future of the key of `salt`; `derive` is set when the caller is to
/// derive it and fulfil `promise`.
std::shared_future<QByteArray> keyFuture(const QByteArray &salt, std::promise<QByteArray> &promise, bool &derive)
{
    KeyCache &cache = keyCache();
    std::lock_guard lock(cache.mutex);
    const std::string id = salt.toStdString();
    const auto found = cache.keys.find(id);
    derive = found == cache.keys.end();
    if (!derive)
        return found->second;
    std::shared_future<QByteArray> future = promise.get_future().share();
    cache.keys.emplace(id, future);
    return future;
}

void fulfil(const QByteArray &salt, std::promise<QByteArray> &promise)
{
    try {
        promise.set_value(deriveKey(salt));
    } catch (...) {
        promise.set_exception(std::current_exception());
        KeyCache &cache = keyCache();
        std::lock_guard lock(cache.mutex);
        cache.keys.erase(salt.toStdString()); // the next request tries again
    }
}

} // namespace

QByteArray RawKeyForSalt(const QByteArray &salt)
{
    std::promise<QByteArray> promise;
    bool derive = false;
    const std::shared_future<QByteArray> key = keyFuture(salt, promise, derive);
    if (derive)
        fulfil(salt, promise);
    return key.get();
}

void PrepareKeyForSalt(const QByteArray &salt)
{
    auto promise = std::make_shared<std::promise<QByteArray>>();
    bool derive = false;
    keyFuture(salt, *promise, derive);
    if (derive)
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
