#include "groups/ProgrammerKeys.h"
#include "groups/ProgramLocation.h"

void ProgrammerKeys::setCurrent (int g, int index) noexcept
{
    if (! ProgramLocation::isValid (g, index))
        return;
    group = g;
    bank = index / ProgramLocation::programsPerBank;
    program = index % ProgramLocation::programsPerBank;
    if (entry == Entry::none)
    {
        pendingGroup = group;
        pendingBank = bank;
    }
}

int ProgrammerKeys::waitingDigit() const noexcept
{
    switch (entry)
    {
        case Entry::group:   return 0;
        case Entry::bank:    return 1;
        case Entry::program: return 2;
        case Entry::none:    break;
    }
    return -1;
}

std::optional<int> ProgrammerKeys::press (int key) noexcept
{
    if (key == groupSelect || key == bankSelect)
    {
        // a select key starts its entry afresh from the program in use; pressed while the entry
        // it starts is waiting, it gives the entry up
        const auto wanted = key == groupSelect ? Entry::group : Entry::bank;
        // BANK SELECT after a group was chosen is where the group entry already is
        if (key == bankSelect && entry == Entry::bank && groupChosen)
            return std::nullopt;
        entry = entry == wanted ? Entry::none : wanted;
        groupChosen = false;
        pendingGroup = group;
        pendingBank = bank;
        return std::nullopt;
    }

    if (key < 1 || key > ProgramLocation::programsPerBank)
        return std::nullopt;

    switch (entry)
    {
        case Entry::group:
            if (key > ProgramLocation::numUserGroups)
                return std::nullopt;
            // the factory key's side: a factory program in use keeps the choice among the factory groups
            pendingGroup = (isFactory() ? ProgramLocation::numUserGroups : 0) + key - 1;
            entry = Entry::bank;
            groupChosen = true;
            return std::nullopt;

        case Entry::bank:
            if (key > ProgramLocation::programsPerGroup / ProgramLocation::programsPerBank)
                return std::nullopt;
            pendingBank = key - 1;
            entry = Entry::program;
            return std::nullopt;

        case Entry::program:
        case Entry::none:
            break;
    }

    entry = Entry::none;
    groupChosen = false;
    group = pendingGroup;
    bank = pendingBank;
    program = key - 1;
    return ProgramLocation::programNumber (group, getIndex());
}
