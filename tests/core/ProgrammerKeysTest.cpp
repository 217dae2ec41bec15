#include "groups/ProgrammerKeys.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr int G = ProgrammerKeys::groupSelect, B = ProgrammerKeys::bankSelect;
}

TEST (ProgrammerKeys, PressSequencesSelectAsTheInstrumentsKeysDo)
{
    struct Case
    {
        const char* what;
        int group, index;          // the program in use before the presses
        std::vector<int> presses;
        int selected;              // the program number the last press selects, -1 none
        int group_, bank, program; // what the display shows after
    };
    const Case cases[] = {
        { "a number alone: that program in the bank in use", 0, 0, { 5 }, 4, 1, 1, 5 },
        { "in group 3, bank 4", 2, 24, { 8 }, 2 * 40 + 31, 3, 4, 8 },
        { "bank select, a bank, a program", 0, 0, { B, 3, 2 }, 17, 1, 3, 2 },
        { "group select, group, bank, program", 0, 0, { G, 4, 5, 8 }, 3 * 40 + 39, 4, 5, 8 },
        { "a factory program in use: group select stays among the factory groups", 6, 0, { G, 1, 1, 1 }, 200, 1, 1, 1 },
        { "no selection until the program's number", 0, 0, { G, 2, 3 }, -1, 2, 3, -1 },
        { "6 to 8 are no group or bank: ignored", 0, 0, { G, 7, 2, 8, 5, 3 }, 40 + 4 * 8 + 2, 2, 5, 3 },
        { "the select key again gives the entry up", 1, 9, { B, B, 6 }, 40 + 8 + 5, 2, 2, 6 },
        { "a select key part way starts its entry again", 1, 9, { B, 4, B, 2, 6 }, 40 + 8 + 5, 2, 2, 6 },
        { "group select again gives it up", 1, 9, { G, G, 1 }, 40 + 8, 2, 2, 1 },
        { "bank select during a group entry starts a bank entry in the group in use", 1, 9, { G, B, 5, 7 }, 40 + 32 + 6, 2, 5, 7 },
        { "bank select after the group's number waits on for the bank", 1, 9, { G, 3, B, 5, 7 }, 80 + 32 + 6, 3, 5, 7 },
        { "a select key alone selects nothing", 0, 0, { B }, -1, 1, 1, -1 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        ProgrammerKeys keys;
        keys.setCurrent (c.group, c.index);
        std::optional<int> last;
        for (const auto key : c.presses)
            last = keys.press (key);
        EXPECT_EQ (last.value_or (-1), c.selected);
        EXPECT_EQ (keys.shownGroup(), c.group_);
        EXPECT_EQ (keys.shownBank(), c.bank);
        EXPECT_EQ (keys.shownProgram(), c.program);
    }
}

TEST (ProgrammerKeys, TheDigitWaitedForFollowsTheEntry)
{
    ProgrammerKeys keys;
    keys.setCurrent (0, 0);
    const struct { int key, digit; } steps[] = { { G, 0 }, { 2, 1 }, { 3, 2 }, { 4, -1 }, { B, 1 }, { B, -1 } };
    for (const auto& s : steps)
    {
        keys.press (s.key);
        EXPECT_EQ (keys.waitingDigit(), s.digit) << s.key;
    }

    // a program chosen elsewhere while nothing waits is the one the keys go on from
    keys.setCurrent (7, 12);
    EXPECT_TRUE (keys.isFactory());
    EXPECT_EQ (keys.press (1).value_or (-1), 7 * 40 + 8);
}
