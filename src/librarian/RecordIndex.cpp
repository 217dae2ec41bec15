#include "librarian/RecordIndex.h"

#include <juce_core/juce_core.h>

#include <cstring>

uint64_t RecordIndex::hashOf (const uint8_t* record) noexcept
{
    // Sixteen words mixed in two independent lanes keep the multiplier pipeline busy.
    uint64_t a = 0x9E3779B97F4A7C15ull, b = 0xC2B2AE3D27D4EB4Full;
    for (int i = 0; i < ProgramSysex::recordSize; i += 16)
    {
        uint64_t w0, w1;
        std::memcpy (&w0, record + i, 8);
        std::memcpy (&w1, record + i + 8, 8);
        a = (a ^ w0) * 0xFF51AFD7ED558CCDull;
        b = (b ^ w1) * 0xC4CEB9FE1A85EC53ull;
        a ^= a >> 29;
        b ^= b >> 31;
    }
    auto h = a ^ (b * 0x9E3779B97F4A7C15ull);
    h ^= h >> 32;
    return h;
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

bool RecordIndex::addUnique (std::vector<Record>& records, const uint8_t* record)
{
    jassert (hashes.size() == records.size());
    if ((records.size() + 1) * 2 > slots.size())
        reserve (std::max<size_t> (32, records.size() * 2));

    const auto hash = hashOf (record);
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
