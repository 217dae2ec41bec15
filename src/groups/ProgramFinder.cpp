#include "groups/ProgramFinder.h"
#include "groups/Bank_Program.h"
#include "model/DSI_Program.h"

#include <algorithm>

ProgramFinder::ProgramFinder (const std::vector<Program>& programs)
{
    entries.reserve (programs.size());
    for (size_t n = 0; n < programs.size(); ++n)
        entries.push_back ({ programs[n].name + juce::String ((int) n).paddedLeft ('0', 4), (int) n, programs[n].category });

    std::sort (entries.begin(), entries.end(), [] (const Entry& a, const Entry& b)
    {
        const auto c = a.text.compareIgnoreCase (b.text);
        return c != 0 ? c < 0 : a.text.compare (b.text) < 0;
    });
}

ProgramFinder ProgramFinder::fromGroups (const std::function<const Bank_Program& (int)>& group, int numGroups)
{
    std::vector<Program> programs;
    for (int g = 0; g < numGroups; ++g)
    {
        const auto& bank = group (g);
        for (int i = 0; i < Bank_Program::recordsPerGroup; ++i)
            programs.push_back ({ bank.programName (i), bank.programRecord (i)[DSI_Program::categoryOffset] });
    }
    return ProgramFinder (programs);
}

void ProgramFinder::type (juce::juce_wchar c)
{
    searchText += juce::String::charToString (c);
    search();
}

void ProgramFinder::erase()
{
    searchText = searchText.dropLastCharacters (1);
    search();
}

void ProgramFinder::search()
{
    matches.clear();
    selection = 0;
    substringResult = false;

    if (searchText.isEmpty())
    {
        // the number stays: what was last found can still be chosen
        fieldText.clear();
        return;
    }

    for (const auto& e : entries)
        if (e.text.startsWithIgnoreCase (searchText))
            matches.push_back (e);

    if (matches.empty())
    {
        // Only names are looked into: every entry ends in digits, which a digit typed would find.
        for (const auto& e : entries)
            if (e.name().containsIgnoreCase (searchText))
                matches.push_back (e);
        substringResult = ! matches.empty();
    }

    if (matches.empty())
    {
        searchText.clear();
        fieldText.clear();
        numberText.clear();
        return;
    }

    // Found at the start, the typed text takes the spelling of what it found; found inside a name,
    // it stays as typed, which is what the user is looking for.
    if (! substringResult)
        searchText = matches.front().text.substring (0, searchText.length());
    fieldText = searchText;
    numberText = matches.front().numberText();
}

bool ProgramFinder::move (int delta)
{
    if (matches.size() < 2)
        return false;

    const auto moved = juce::jlimit (0, (int) matches.size() - 1, selection + delta);
    if (moved == selection)
        return false;

    selection = moved;
    const auto& e = matches[(size_t) selection];
    fieldText = e.name();
    numberText = e.numberText();
    return true;
}

int ProgramFinder::selectedNumber() const
{
    if (numberText.isEmpty() || ! numberText.containsOnly ("0123456789"))
        return -1;
    return numberText.getIntValue();
}
