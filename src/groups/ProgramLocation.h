#pragma once

#include <juce_core/juce_core.h>

/** Where a program lives in the instrument's memory: group 0..9 (0..4 the user groups 1..5,
    5..9 the factory groups 1..5) and index 0..39 within the group, shown as bank 1..5 and
    program 1..8. The program number group × 40 + index is the program selector's value. */
namespace ProgramLocation
{
constexpr int numGroups = 10;
constexpr int numUserGroups = 5;
constexpr int programsPerGroup = 40;
constexpr int programsPerBank = 8;
constexpr int numPrograms = numGroups * programsPerGroup;

constexpr int bankOf (int index) noexcept          { return index / programsPerBank + 1; }
constexpr int programInBankOf (int index) noexcept { return index % programsPerBank + 1; }
constexpr int programNumber (int group, int index) noexcept { return group * programsPerGroup + index; }
constexpr bool isValid (int group, int index) noexcept
{
    return group >= 0 && group < numGroups && index >= 0 && index < programsPerGroup;
}

/** "User: Gr 1 Bn 1 Prg 1" … "Factory: Gr 5 Bn 5 Prg 8", as the transfer progress shows it. */
juce::String locationText (int group, int index);

/** "U: 1  1  1" … "F:5  5  8", as the program lists and the host show it. */
juce::String gridLocationText (int group, int index);
}
