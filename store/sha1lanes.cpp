#include "sha1lanes.h"

#if defined(__x86_64__)
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace quadrivium {

#if defined(__x86_64__)

namespace {

#define QUADRIVIUM_SHA_TARGET __attribute__((target("sha,sse4.1,ssse3")))

// In the registers, ABCD holds A in its highest 32-bit lane and D in its
// lowest; E sits in the highest lane of its own register, the rest zero.
// A message block is four registers of four big-endian words each, the
// first word in the highest lane.
struct Lane {
    __m128i abcd;
    __m128i e;
};

QUADRIVIUM_SHA_TARGET inline __m128i fourRounds(__m128i abcd, __m128i words, int group)
{
    // The round function changes every twenty rounds (five groups of four).
    switch (group / 5) {
    case 0:
        return _mm_sha1rnds4_epu32(abcd, words, 0);
    case 1:
        return _mm_sha1rnds4_epu32(abcd, words, 1);
    case 2:
        return _mm_sha1rnds4_epu32(abcd, words, 2);
    default:
        return _mm_sha1rnds4_epu32(abcd, words, 3);
    }
}

/// Compresses one block into each of two states; the two lanes are
/// independent, so the processor overlaps their instructions.
QUADRIVIUM_SHA_TARGET inline void compressTwo(Lane (&state)[2], __m128i (&message)[2][4])
{
    __m128i abcd[2], before[2];
    for (int l = 0; l < 2; ++l) {
        abcd[l] = state[l].abcd;
        before[l] = abcd[l];
        abcd[l] = _mm_sha1rnds4_epu32(abcd[l], _mm_add_epi32(state[l].e, message[l][0]), 0);
    }
#pragma GCC unroll 19
    for (int g = 1; g < 20; ++g) {
        for (int l = 0; l < 2; ++l) {
            __m128i *w = message[l];
            // Words 16 and on, four at a time, from the sixteen before them.
            if (g >= 4)
                w[g & 3] = _mm_sha1msg2_epu32(
                    _mm_xor_si128(_mm_sha1msg1_epu32(w[g & 3], w[(g + 1) & 3]), w[(g + 2) & 3]), w[(g + 3) & 3]);
            const __m128i words = _mm_sha1nexte_epu32(before[l], w[g & 3]);
            before[l] = abcd[l];
            abcd[l] = fourRounds(abcd[l], words, g);
        }
    }
    for (int l = 0; l < 2; ++l) {
        state[l].e = _mm_sha1nexte_epu32(before[l], state[l].e);
        state[l].abcd = _mm_add_epi32(abcd[l], state[l].abcd);
    }
}

int bigEndian(const unsigned char *p)
{
    return static_cast<int>(std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3]);
}

QUADRIVIUM_SHA_TARGET Lane laneOf(const Sha1State &h)
{
    return {_mm_set_epi32(int(h[0]), int(h[1]), int(h[2]), int(h[3])), _mm_set_epi32(int(h[4]), 0, 0, 0)};
}

/// The block that hashes a 20-byte digest after a 64-byte pad: the digest,
/// the end mark, zeros and the length of 84 bytes in bits.
QUADRIVIUM_SHA_TARGET void digestBlock(const Lane &digest, __m128i (&block)[4])
{
    block[0] = digest.abcd;
    block[1] = _mm_or_si128(digest.e, _mm_set_epi32(0, int(0x80000000u), 0, 0));
    block[2] = _mm_setzero_si128();
    block[3] = _mm_set_epi32(0, 0, 0, 84 * 8);
}

} // namespace

bool HasSha1Lanes()
{
    static const bool has = [] {
        unsigned a = 0, b = 0, c = 0, d = 0;
        if (!__get_cpuid(1, &a, &b, &c, &d))
            return false;
        const bool sse = (c & bit_SSSE3) && (c & bit_SSE4_1);
        if (!__get_cpuid_count(7, 0, &a, &b, &c, &d))
            return false;
        return sse && (b & bit_SHA);
    }();
    return has;
}

QUADRIVIUM_SHA_TARGET void HmacSha1RoundsTwoLanes(const Sha1State &inner, const Sha1State &outer,
                                                  const unsigned char (&first)[2][20], int iterations,
                                                  unsigned char (&result)[2][20])
{
    const Lane in = laneOf(inner);
    const Lane out = laneOf(outer);
    Lane digest[2], sum[2];
    for (int l = 0; l < 2; ++l) {
        const unsigned char *u = first[l];
        digest[l] = {_mm_set_epi32(bigEndian(u), bigEndian(u + 4), bigEndian(u + 8), bigEndian(u + 12)),
                     _mm_set_epi32(bigEndian(u + 16), 0, 0, 0)};
        sum[l] = digest[l];
    }
    for (int round = 1; round < iterations; ++round) {
        __m128i block[2][4];
        Lane state[2] = {in, in};
        for (int l = 0; l < 2; ++l)
            digestBlock(digest[l], block[l]);
        compressTwo(state, block);
        for (int l = 0; l < 2; ++l)
            digestBlock(state[l], block[l]);
        digest[0] = digest[1] = out;
        compressTwo(digest, block);
        for (int l = 0; l < 2; ++l) {
            sum[l].abcd = _mm_xor_si128(sum[l].abcd, digest[l].abcd);
            sum[l].e = _mm_xor_si128(sum[l].e, digest[l].e);
        }
    }
    for (int l = 0; l < 2; ++l) {
        const std::uint32_t h[5] = {std::uint32_t(_mm_extract_epi32(sum[l].abcd, 3)),
                                    std::uint32_t(_mm_extract_epi32(sum[l].abcd, 2)),
                                    std::uint32_t(_mm_extract_epi32(sum[l].abcd, 1)),
                                    std::uint32_t(_mm_extract_epi32(sum[l].abcd, 0)),
                                    std::uint32_t(_mm_extract_epi32(sum[l].e, 3))};
        for (int i = 0; i < 5; ++i) {
            result[l][4 * i] = static_cast<unsigned char>(h[i] >> 24);
            result[l][4 * i + 1] = static_cast<unsigned char>(h[i] >> 16);
            result[l][4 * i + 2] = static_cast<unsigned char>(h[i] >> 8);
            result[l][4 * i + 3] = static_cast<unsigned char>(h[i]);
        }
    }
}

#else

bool HasSha1Lanes()
{
    return false;
}

void HmacSha1RoundsTwoLanes(const Sha1State &, const Sha1State &, const unsigned char (&)[2][20], int,
                            unsigned char (&)[2][20])
{
}

#endif

} // namespace quadrivium
