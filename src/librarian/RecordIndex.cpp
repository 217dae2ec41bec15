#include "librarian/RecordIndex.h"

#include <juce_core/juce_core.h>

#include <cstring>

uint64_t RecordIndex::hashOf (const uint8_t* record) noexcept
{
    // Eight independent 64 × 64-bit products, one per 16 bytes, folded and summed: no step waits
    // for the one before, so a record hashes in about the time its multiplies take side by side.
    // Equal hashes are compared in full, so the hash needs spread, not strength.
    static constexpr uint64_t keys[16] = {
        0xbe4ba423396cfeb8ull, 0x1cad21f72c81017cull, 0xdb979083e96dd4deull, 0x1f67b3b7a4a44072ull,
        0x78e5c0cc4ee679cbull, 0x2172ffcc7dd05a82ull, 0x8e2443f7744608b8ull, 0x4c263a81e69035e0ull,
        0xcb00c391bb52283cull, 0xa32e531b8b65d088ull, 0x4ef90da297486471ull, 0xd8acdea946ef1938ull,
        0x3f349ce33f76faa8ull, 0x1d4f0bc7c7bbdcf9ull, 0x3159b4cd4be0518aull, 0x647378d9c97e9fc8ull };

    uint64_t acc = 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < ProgramSysex::recordSize / 16; ++i)
    {
        uint64_t w0, w1;
        std::memcpy (&w0, record + i * 16, 8);
        std::memcpy (&w1, record + i * 16 + 8, 8);
        const auto product = (unsigned __int128) (w0 ^ keys[2 * i]) * (w1 ^ keys[2 * i + 1]);
        acc += (uint64_t) product ^ (uint64_t) (product >> 64);
    }
    acc ^= acc >> 37;
    acc *= 0x165667919E3779F9ull;
    acc ^= acc >> 32;
    return acc;
}

void RecordIndex::clear() noexcept
{
    std::fill (slots.begin(), slots.end(), 0u);
    hashes.clear();
}

void RecordIndex::reserve (size_t count)
{
    hashes.reserve (count);
    if (count * 2 > slots.size())
    {
        // Nothing to re-insert when empty; otherwise the records are placed anew.
        std::vector<uint32_t> old;
        old.swap (slots);
        size_t size = 64;
        while (size < count * 2)
            size *= 2;
        slots.assign (size, 0u);
        mask = size - 1;
        for (auto entry : old)
            if (entry != 0)
            {
                auto slot = (size_t) hashes[entry - 1] & mask;
                while (slots[slot] != 0)
                    slot = (slot + 1) & mask;
                slots[slot] = entry;
            }
    }
}

bool RecordIndex::addUnique (std::vector<Record>& records, const uint8_t* record, uint64_t hash)
{
    jassert (hashes.size() == records.size());
    if ((records.size() + 1) * 2 > slots.size())
        reserve (std::max<size_t> (32, records.size() * 2));

    auto slot = (size_t) hash & mask;
    for (; slots[slot] != 0; slot = (slot + 1) & mask)
    {
        const auto index = slots[slot] - 1;
        if (hashes[index] == hash && std::memcmp (records[index].data(), record, (size_t) ProgramSysex::recordSize) == 0)
            return false;
    }

    records.emplace_back();
    std::memcpy (records.back().data(), record, (size_t) ProgramSysex::recordSize);
    hashes.push_back (hash);
    slots[slot] = (uint32_t) records.size();
    return true;
}
