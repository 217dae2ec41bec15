#pragma once

#include "groups/Bank_Program.h"

#include <array>

/** The mirror of the instrument's memory on disk, "Ph5_data.dat": "Proph12 Data>", the ten groups
    of 40 records (5120 bytes each) in order, "<Proph12 Data"; 51,226 bytes. */
namespace GroupsDataFile
{
constexpr int markerSize = 13;
constexpr int numGroups = 10;
constexpr int fileSize = markerSize + numGroups * Bank_Program::groupSize + markerSize;
constexpr size_t minimumUsableSize = 1001;

using Groups = std::array<Bank_Program*, numGroups>;

/** Fills the groups from the file's bytes. A missing or tiny file (1,000 bytes or fewer) gives
    the factory set in the user and the factory halves alike; otherwise each group the file holds
    in full is taken from it, and a group it does not fully hold gets its factory data. */
void load (const void* data, size_t size, const Groups& groups);

/** The file's bytes. Each group is written as exactly 40 records, so the layout always holds. */
juce::MemoryBlock make (const Groups& groups);
}
