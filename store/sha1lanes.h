#pragma once

#include <cstdint>

namespace quadrivium {

/// The chaining value of SHA-1 after some whole blocks: h0..h4.
using Sha1State = std::uint32_t[5];

/// True when this processor has the SHA instructions that
/// HmacSha1RoundsTwoLanes needs.
bool HasSha1Lanes();

/// The rounds 2..`iterations` of two PBKDF2-HMAC-SHA1 output blocks at once,
/// with the processor's SHA instructions. `inner` and `outer` are the states
/// after the key's inner and outer pads; `first` holds the two first-round
/// digests U1 (20 bytes each) and `result` receives the two blocks T (the
/// XOR of U1..Un). Only to be called when HasSha1Lanes() is true.
void HmacSha1RoundsTwoLanes(const Sha1State &inner, const Sha1State &outer, const unsigned char (&first)[2][20],
                            int iterations, unsigned char (&result)[2][20]);

} // namespace quadrivium
