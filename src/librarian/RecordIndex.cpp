#include "librarian/RecordIndex.h"

#include <cstring>

#if defined(__SSE2__)
 #include <immintrin.h>
#endif

namespace
{
// Final mix: the high and low halves of a 64 × 64-bit product folded, then an avalanche, so that
// the low bits that pick a slot depend on every input bit.
__extension__ using Wide = unsigned __int128;

inline uint64_t fold (uint64_t a, uint64_t b) noexcept
{
    const auto product = (Wide) a * b;
    return (uint64_t) product ^ (uint64_t) (product >> 64);
}

inline uint64_t avalanche (uint64_t h) noexcept
{
    h ^= h >> 37;
    h *= 0x165667919E3779F9ull;
    return h ^ (h >> 32);
}

constexpr uint64_t keys[16] = {
    0xbe4ba423396cfeb8ull, 0x1cad21f72c81017cull, 0xdb979083e96dd4deull, 0x1f67b3b7a4a44072ull,
    0x78e5c0cc4ee679cbull, 0x2172ffcc7dd05a82ull, 0x8e2443f7744608b8ull, 0x4c263a81e69035e0ull,
    0xcb00c391bb52283cull, 0xa32e531b8b65d088ull, 0x4ef90da297486471ull, 0xd8acdea946ef1938ull,
    0x3f349ce33f76faa8ull, 0x1d4f0bc7c7bbdcf9ull, 0x3159b4cd4be0518aull, 0x647378d9c97e9fc8ull };
}

#if defined(__SSE2__)
namespace
{
// Each 16 bytes, keyed, multiply their 32-bit halves pairwise and add the bytes themselves (so a
// product of zero loses nothing); even and odd 16 bytes sum apart. About two dozen vector steps a
// record, none waiting long on another. Equal hashes are compared in full, so the hash needs
// spread, not strength.
constexpr uint64_t seeds[4] = { 0xC2B2AE3D27D4EB4Full, 0x9E3779B97F4A7C15ull, 0x85EBCA77C2B2AE63ull, 0x165667B19E3779F9ull };

inline uint64_t finish (const uint64_t* lanes) noexcept
{
    return avalanche (fold (lanes[0] ^ keys[0], lanes[1] ^ keys[3]) + fold (lanes[2] ^ keys[5], lanes[3] ^ keys[6]));
}

uint64_t hashSse2 (const uint8_t* record) noexcept
{
    __m128i acc[2] = { _mm_loadu_si128 (reinterpret_cast<const __m128i*> (seeds)),
                       _mm_loadu_si128 (reinterpret_cast<const __m128i*> (seeds + 2)) };
    for (int i = 0; i < 8; ++i)
    {
        const auto data = _mm_loadu_si128 (reinterpret_cast<const __m128i*> (record + 16 * i));
        const auto keyed = _mm_xor_si128 (data, _mm_loadu_si128 (reinterpret_cast<const __m128i*> (keys + 2 * i)));
        const auto product = _mm_mul_epu32 (keyed, _mm_shuffle_epi32 (keyed, _MM_SHUFFLE (0, 3, 0, 1)));
        acc[i & 1] = _mm_add_epi64 (acc[i & 1], _mm_add_epi64 (product, _mm_shuffle_epi32 (data, _MM_SHUFFLE (1, 0, 3, 2))));
    }
    alignas (16) uint64_t lanes[4];
    _mm_store_si128 (reinterpret_cast<__m128i*> (lanes), acc[0]);
    _mm_store_si128 (reinterpret_cast<__m128i*> (lanes + 2), acc[1]);
    return finish (lanes);
}

 #if defined(__GNUC__)
  #define MORVEX_WIDE_HASH 1
// The same sums 32 bytes at a time, the even 16 bytes in the low half: the same hash in half the
// steps, on processors that have the wider registers.
__attribute__ ((target ("avx2"))) uint64_t hashAvx2 (const uint8_t* record) noexcept
{
    auto acc = _mm256_loadu_si256 (reinterpret_cast<const __m256i*> (seeds));
    for (int i = 0; i < 4; ++i)
    {
        const auto data = _mm256_loadu_si256 (reinterpret_cast<const __m256i*> (record + 32 * i));
        const auto keyed = _mm256_xor_si256 (data, _mm256_loadu_si256 (reinterpret_cast<const __m256i*> (keys + 4 * i)));
        const auto product = _mm256_mul_epu32 (keyed, _mm256_shuffle_epi32 (keyed, _MM_SHUFFLE (0, 3, 0, 1)));
        acc = _mm256_add_epi64 (acc, _mm256_add_epi64 (product, _mm256_shuffle_epi32 (data, _MM_SHUFFLE (1, 0, 3, 2))));
    }
    alignas (32) uint64_t lanes[4];
    _mm256_store_si256 (reinterpret_cast<__m256i*> (lanes), acc);
    return finish (lanes);
}

const bool wideHash = __builtin_cpu_supports ("avx2");
 #endif
}
#endif

uint64_t RecordIndex::hashOf (const uint8_t* record) noexcept
{
    static_assert (ProgramSysex::recordSize == 128, "the hash reads eight 16-byte lanes");
#if defined(__SSE2__)
 #if defined(MORVEX_WIDE_HASH)
    if (wideHash)
        return hashAvx2 (record);
 #endif
    return hashSse2 (record);
#else
    // Eight independent 64 × 64-bit products, one per 16 bytes, summed.
    uint64_t acc = 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < 8; ++i)
    {
        uint64_t w0, w1;
        std::memcpy (&w0, record + i * 16, 8);
        std::memcpy (&w1, record + i * 16 + 8, 8);
        acc += fold (w0 ^ keys[2 * i], w1 ^ keys[2 * i + 1]);
    }
    return avalanche (acc);
#endif
}

size_t RecordIndex::readUnique (const uint8_t* bytes, size_t count, std::vector<Record>& records)
{
    if (bytes == nullptr)
        count = 0;
    records.clear();
    records.reserve (count);
    size_t size = 64;
    while (size < count * 2)
        size *= 2;
    const auto mask = size - 1;
    slots.assign (size, 0u);
    hashes.resize (count);

    // One pass over the bytes: each record is hashed and its slot asked for a few records before
    // it is looked up, so the slot table's loads overlap instead of each waiting in turn, and the
    // record is still in the nearest cache when it is compared and copied.
    constexpr size_t ahead = 16;
    uint64_t ring[ahead];
    const auto recordAt = [bytes] (size_t i) { return bytes + i * (size_t) ProgramSysex::recordSize; };
    size_t kept = 0;
    for (size_t i = 0; i < count + ahead; ++i)
    {
        // The record due now goes first: its hash shares the ring's place with record i's.
        if (i >= ahead)
        {
            const auto at = i - ahead;
            const auto hash = ring[at % ahead];
            auto slot = (size_t) hash & mask;
            bool repeat = false;
            for (; slots[slot] != 0; slot = (slot + 1) & mask)
            {
                const auto index = slots[slot] - 1;
                if (hashes[index] == hash && std::memcmp (records[index].data(), recordAt (at), (size_t) ProgramSysex::recordSize) == 0)
                {
                    repeat = true;
                    break;
                }
            }
            if (! repeat)
            {
                records.push_back (*reinterpret_cast<const Record*> (recordAt (at)));
                hashes[kept] = hash;
                slots[slot] = (uint32_t) ++kept;
            }
        }

        if (i < count)
        {
            ring[i % ahead] = hashOf (recordAt (i));
            __builtin_prefetch (slots.data() + (ring[i % ahead] & mask));
        }
    }

    return count - kept;
}
