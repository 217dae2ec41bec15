#pragma once

#include "model/ProgramSysex.h"

#include <cstdint>
#include <vector>

/** Finds a record among a list's records by the hash of its 128 bytes, so that keeping a list of
    tens of thousands of records free of duplicates costs a few steps per record instead of a
    comparison with every other. Records whose hashes match are compared in full: two records are
    the same only when all their bytes are.

    The index does not own the records: it is given the list it indexes at every call, and must
    be cleared whenever that list changes other than through `addUnique`. */
class RecordIndex
{
public:
    using Record = ProgramSysex::Record;

    static uint64_t hashOf (const uint8_t* record) noexcept;

    /** Forgets every record; keeps its memory for the next list. */
    void clear() noexcept;

    /** Room for this many records without growing. */
    void reserve (size_t count);

    /** Appends the 128 bytes at `record` to `records` unless an identical record is there.
        Returns whether they were added. */
    bool addUnique (std::vector<Record>& records, const uint8_t* record) { return addUnique (records, record, hashOf (record)); }
    /** The same, with the record's hash already worked out. */
    bool addUnique (std::vector<Record>& records, const uint8_t* record, uint64_t hash);
    /** Asks the processor for the slot a record of this hash goes to, ahead of adding it. */
    void prefetch (uint64_t hash) const noexcept
    {
        if (! slots.empty())
            __builtin_prefetch (slots.data() + (hash & mask));
    }

private:
    std::vector<uint32_t> slots;  // record index + 1; 0 for a free slot
    std::vector<uint64_t> hashes; // of each indexed record, so that growing reads no record
    size_t mask = 0;
};
