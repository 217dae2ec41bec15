#pragma once

#include <array>
#include <cstdint>

/** The factory set the program mirror starts from: the 13 bytes "Proph05 Data>", five groups of
    40 program records (5120 bytes each), then "<Proph05 Data"; 25,626 bytes in all. */
namespace FactoryData
{
constexpr int markerSize = 13;
constexpr int numGroups = 5;
constexpr int groupSize = 40 * 128;
constexpr int blockSize = markerSize + numGroups * groupSize + markerSize;

using Block = std::array<uint8_t, blockSize>;

const Block& block();

/** The 5120 bytes of factory group f (0..4), or nullptr for any other f. */
const uint8_t* group (int f);
}
