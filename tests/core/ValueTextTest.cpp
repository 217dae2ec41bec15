#include "groups/ProgramLocation.h"
#include "model/ValueFormat.h"

#include <gtest/gtest.h>

TEST (ValueFormat, EveryFormatAtItsBoundaries)
{
    const struct { int format, value; const char* text; } cases[] = {
        { 0, 0, "0" },          { 0, 127, "127" },      { 0, 255, "255" },
        { 12, 0, "OFF" },       { 12, 1, "ON" },        { 12, 2, "ON" },
        { 13, 0, "C0" },        { 13, 1, "C0+" },       { 13, 2, "C#0" },     { 13, 23, "B0+" },
        { 13, 24, "C1" },       { 13, 48, "C2" },       { 13, 49, "C2+" },    { 13, 50, "C#2" },
        { 13, 95, "B3+" },      { 13, 96, "C4" },       { 13, 97, "C4" },     { 13, 120, "C4" },
        { 20, 0, "1 Voice" },   { 20, 1, "2 Voices" },  { 20, 5, "6 Voices" }, { 20, 6, "Chord" },
        { 20, 7, "*/*" },       { 20, -1, "*/*" },
        { 21, 0, "-60" },       { 21, 59, "-1" },       { 21, 60, "0" },      { 21, 75, "15" }, { 21, 120, "60" },
        { 70, 0, "OFF" },       { 70, 1, "HALF" },      { 70, 2, "FULL" },    { 70, 3, "*/*" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (ValueFormat::formatValue (c.format, c.value), c.text) << "format " << c.format << " value " << c.value;
}

TEST (ValueFormat, CategoryNames)
{
    const struct { int index; const char* name; } cases[] = {
        { 0, "- Not Assigned -" }, { 1, "Keys" }, { 9, "Bright Bass" }, { 10, "Sub Bass" }, { 15, "Sound FX" },
        { 19, "User 4" }, { 20, "*/*" }, { 127, "*/*" }, { -1, "*/*" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (ValueFormat::categoryName (c.index), c.name) << c.index;
}

TEST (ProgramLocation, TextsForUserAndFactoryGroups)
{
    const struct { int number; const char* location; const char* grid; } cases[] = {
        { 0, "User: Gr 1 Bn 1 Prg 1", "U: 1  1  1" },
        { 45, "User: Gr 2 Bn 1 Prg 6", "U: 2  1  6" },
        { 199, "User: Gr 5 Bn 5 Prg 8", "U: 5  5  8" },
        { 200, "Factory: Gr 1 Bn 1 Prg 1", "F:1  1  1" },
        { 399, "Factory: Gr 5 Bn 5 Prg 8", "F:5  5  8" },
    };

    for (const auto& c : cases)
    {
        const auto group = c.number / ProgramLocation::programsPerGroup;
        const auto index = c.number % ProgramLocation::programsPerGroup;
        EXPECT_EQ (ProgramLocation::locationText (group, index), c.location) << c.number;
        EXPECT_EQ (ProgramLocation::gridLocationText (group, index), c.grid) << c.number;
        EXPECT_EQ (ProgramLocation::programNumber (group, index), c.number);
    }

    // The dump F0 01 32 02 03 11 … names user group 4, index 17: bank 3, program 2.
    EXPECT_EQ (ProgramLocation::locationText (3, 17), "User: Gr 4 Bn 3 Prg 2");
}
