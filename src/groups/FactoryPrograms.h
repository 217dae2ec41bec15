#pragma once

#include "model/ProgramSysex.h"

#include <array>

/** The 200 programs of the factory set, built from named recipes: forty voices, each in five
    versions, one per factory group. */
namespace FactoryPrograms
{
constexpr int numVoices = 40;
constexpr int numVersions = 5;

/** Group by group: records 0..39 are factory group 1, 40..79 group 2, and so on. */
std::array<ProgramSysex::Record, numVoices * numVersions> build();
}
