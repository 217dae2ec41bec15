#pragma once

#include "model/ProgramSysex.h"

#include <cstdint>
#include <vector>

/** Keeps a list of records free of repeats by the hash of their 128 bytes, so that a list of tens
    of thousands of records costs a few steps per record instead of a comparison with every other.
    Records whose hashes match are compared in full: two records are the same only when all their
    bytes are.

    The index holds nothing between calls but its memory, kept for the next list. */
class RecordIndex
{
public:
    using Record = ProgramSysex::Record;

    static uint64_t hashOf (const uint8_t* record) noexcept;

    /** Fills `records` with the `count` records at `bytes`, back to back, leaving out every
        record that repeats an earlier one. Returns how many were left out. */
    size_t readUnique (const uint8_t* bytes, size_t count, std::vector<Record>& records);

private:
    std::vector<uint32_t> slots;  // kept record's index + 1; 0 for a free slot
    std::vector<uint64_t> hashes; // of each kept record, so that a probe passing it reads no bytes
};
