#pragma once

#include <optional>

/** The rules of the instrument's program keys: GROUP SELECT, BANK SELECT and the eight number
    keys. A number alone picks that program in the bank in use; BANK SELECT then a number 1..5
    picks a bank, and the next number 1..8 the program in it; GROUP SELECT then 1..5 picks a group
    (a user one, or a factory one while a factory program is in use), then a bank and a program
    as before. A select key starts its entry afresh; pressed while the entry it starts waits, it
    gives the entry up (BANK SELECT right after a group's number only confirms the wait for the
    bank). A number the waiting entry has no use for (6..8 for a group or a bank)
    changes nothing. Nothing is selected until the program's number comes. */
class ProgrammerKeys
{
public:
    enum Key { groupSelect = -2, bankSelect = -1 }; // number keys are 1..8

    /** What is being waited for. */
    enum class Entry { none, group, bank, program };

    /** The program in use, as group 0..9 and index 0..39; the keys start from it. */
    void setCurrent (int group, int index) noexcept;

    /** One press; returns the program number (group × 40 + index) it selects, if it completes a
        selection. */
    std::optional<int> press (int key) noexcept;

    /** Forgets an entry part way. */
    void cancel() noexcept { entry = Entry::none; groupChosen = false; pendingGroup = group; pendingBank = bank; }

    Entry getEntry() const noexcept { return entry; }
    /** What the display shows: the group (1..5), bank (1..5) and program (1..8), those of the
        entry under way where it has them. */
    int shownGroup() const noexcept { return pendingGroup % 5 + 1; }
    int shownBank() const noexcept { return pendingBank + 1; }
    int shownProgram() const noexcept { return entry == Entry::none ? program + 1 : -1; }
    /** The digit (0 group, 1 bank, 2 program) the entry waits for, or -1. */
    int waitingDigit() const noexcept;
    bool isFactory() const noexcept { return group >= 5; }
    int getGroup() const noexcept { return group; }
    int getIndex() const noexcept { return bank * 8 + program; }

private:
    int group = 0, bank = 0, program = 0;
    int pendingGroup = 0, pendingBank = 0;
    Entry entry = Entry::none;
    bool groupChosen = false;
};
