#pragma once

#include <QByteArray>
#include <QString>

namespace quadrivium {

/// The user's cache of derived page keys, one small file per salt in
/// `$XDG_CACHE_HOME/quadrivium` (by default ~/.cache/quadrivium). The folder
/// is the user's alone (0700) and each key file too (0600); a folder owned by
/// someone else, or a link in its place, is never used. Every failure leaves
/// the cache unused: it only ever saves work.
class DerivedKeyCache {
public:
    /// The folder the keys are kept in.
    static QString folder();

    /// The key kept for `salt`, or an empty array when there is none (or it
    /// cannot be read or is not a key of `keySize` bytes).
    static QByteArray load(const QByteArray &salt, int keySize);
    /// Keeps `key` for `salt`, replacing what was kept before.
    static void store(const QByteArray &salt, const QByteArray &key);
};

} // namespace quadrivium
