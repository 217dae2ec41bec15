#include "groups/Bank_Program.h"
#include "groups/ProgramFinder.h"
#include "model/DSI_Program.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace
{
/** A finder over programs 0, 1, 2 … with these names. */
ProgramFinder finderOf (std::initializer_list<const char*> names)
{
    std::vector<ProgramFinder::Program> programs;
    for (auto* name : names)
        programs.push_back ({ name, 0 });
    return ProgramFinder (programs);
}

void typeText (ProgramFinder& finder, const juce::String& text)
{
    for (auto c : text)
        finder.type (c);
}

juce::StringArray matchTexts (const ProgramFinder& finder)
{
    juce::StringArray texts;
    for (const auto& m : finder.getMatches())
        texts.add (m.text);
    return texts;
}
}

TEST (ProgramFinder, ListsEveryStoredProgramByNameAndFourDigitNumberSortedIgnoringCase)
{
    std::array<std::unique_ptr<Bank_Program>, 10> groups;
    for (auto& g : groups)
    {
        g = std::make_unique<Bank_Program> ("group");
        g->initialise (false);
        for (int i = 0; i < Bank_Program::recordsPerGroup; ++i)
            g->setProgramName (i, "zz");
    }
    groups[0]->setProgramName (7, "bass");
    groups[3]->setProgramName (2, "Brass");
    auto record = groups[9]->programRecord (39);
    record[DSI_Program::categoryOffset] = 12;
    groups[9]->storeProgram (39, record);
    groups[9]->setProgramName (39, "Axe");

    const auto finder = ProgramFinder::fromGroups ([&] (int g) -> const Bank_Program& { return *groups[(size_t) g]; }, 10);

    const auto& entries = finder.getEntries();
    ASSERT_EQ (entries.size(), 400u);
    EXPECT_EQ (entries[0].text, "Axe0399");
    EXPECT_EQ (entries[0].program, 399);
    EXPECT_EQ (entries[0].category, 12);
    EXPECT_EQ (entries[1].text, "bass0007");
    EXPECT_EQ (entries[2].text, "Brass0122");
    EXPECT_EQ (entries[2].name(), "Brass");
    EXPECT_EQ (entries[2].numberText(), "122");
    EXPECT_EQ (entries[3].text, "zz0000");
    EXPECT_EQ (entries.back().text, "zz0398");
}

TEST (ProgramFinder, MatchesTheBeginningWhateverItsCaseAndTakesTheFirstMatchSpelling)
{
    auto finder = finderOf ({ "Organ", "Brass", "bass", "Bells" });

    finder.type ('B');
    EXPECT_EQ (matchTexts (finder), juce::StringArray ({ "bass0002", "Bells0003", "Brass0001" }));
    EXPECT_EQ (finder.getSearchText(), "b");
    EXPECT_EQ (finder.getFieldText(), "b");
    EXPECT_EQ (finder.getNumberText(), "002");
    EXPECT_EQ (finder.getSelection(), 0);
    EXPECT_EQ (finder.selectedNumber(), 2);
    EXPECT_FALSE (finder.isSubstringResult());

    finder.type ('R');
    EXPECT_EQ (matchTexts (finder), juce::StringArray ({ "Brass0001" }));
    EXPECT_EQ (finder.getSearchText(), "Br");
    EXPECT_EQ (finder.selectedNumber(), 1);

    // found nowhere, not even inside a name: it all clears
    finder.type ('q');
    EXPECT_TRUE (finder.getMatches().empty());
    EXPECT_EQ (finder.getSearchText(), "");
    EXPECT_EQ (finder.getFieldText(), "");
    EXPECT_EQ (finder.getNumberText(), "");
    EXPECT_EQ (finder.selectedNumber(), -1);
}

TEST (ProgramFinder, BackspaceWidensTheSearchAndAnEmptyTextMatchesNothing)
{
    auto finder = finderOf ({ "Brass", "bass", "Bells" });
    typeText (finder, "bel");
    ASSERT_EQ (matchTexts (finder), juce::StringArray ({ "Bells0002" }));

    finder.erase();
    EXPECT_EQ (finder.getSearchText(), "Be");
    finder.erase();
    EXPECT_EQ (matchTexts (finder), juce::StringArray ({ "bass0001", "Bells0002", "Brass0000" }));
    EXPECT_EQ (finder.getSearchText(), "b");

    finder.erase();
    EXPECT_TRUE (finder.getMatches().empty());
    EXPECT_EQ (finder.getFieldText(), "");
    // the last program found can still be chosen
    EXPECT_EQ (finder.selectedNumber(), 1);

    finder.erase();
    EXPECT_EQ (finder.getSearchText(), "");
}

TEST (ProgramFinder, UpAndDownStayWithinTheMatches)
{
    auto finder = finderOf ({ "Sync 1", "Sync 2", "Sync 3", "Pad" });
    typeText (finder, "s");

    const struct { int delta; bool moved; int selection; const char* field; const char* number; } steps[] = {
        { -1, false, 0, "S",      "000" },
        { +1, true,  1, "Sync 2", "001" },
        { +1, true,  2, "Sync 3", "002" },
        { +1, false, 2, "Sync 3", "002" },
        { -1, true,  1, "Sync 2", "001" },
    };
    for (const auto& s : steps)
    {
        EXPECT_EQ (finder.move (s.delta), s.moved);
        EXPECT_EQ (finder.getSelection(), s.selection);
        EXPECT_EQ (finder.getFieldText(), s.field);
        EXPECT_EQ (finder.getNumberText(), s.number);
    }
    // moving shows a name but searches on from what was typed
    EXPECT_EQ (finder.getSearchText(), "S");
    finder.type ('y');
    EXPECT_EQ (finder.getFieldText(), "Sy");
    EXPECT_EQ (finder.getSelection(), 0);

    typeText (finder, "nc 3");
    EXPECT_FALSE (finder.move (+1));
    EXPECT_EQ (finder.getSelection(), 0);
    EXPECT_EQ (finder.getFieldText(), "Sync 3");
}

TEST (ProgramFinder, FindsTextInsideNamesOnlyWhenNoNameBeginsWithIt)
{
    auto finder = finderOf ({ "Sub Bass", "Bass Drop", "Pad", "Fat bass", "Bassoon" });

    // names begin with it: those alone, although others contain it
    finder.type ('s');
    EXPECT_EQ (matchTexts (finder), juce::StringArray ({ "Sub Bass0000" }));
    EXPECT_FALSE (finder.isSubstringResult());
    typeText (finder, "UB bass");
    EXPECT_EQ (finder.getSearchText(), "Sub Bass");
    EXPECT_FALSE (finder.isSubstringResult());

    // none does: the names that contain it, in the list's order, the text as typed
    while (finder.getSearchText().isNotEmpty())
        finder.erase();
    typeText (finder, "aSs");
    EXPECT_EQ (matchTexts (finder), juce::StringArray ({ "Bass Drop0001", "Bassoon0004", "Fat bass0003", "Sub Bass0000" }));
    EXPECT_TRUE (finder.isSubstringResult());
    EXPECT_EQ (finder.getSearchText(), "aSs");
    EXPECT_EQ (finder.getFieldText(), "aSs");
    EXPECT_EQ (finder.getNumberText(), "001");
    EXPECT_TRUE (finder.move (+1));
    EXPECT_EQ (finder.getFieldText(), "Bassoon");
    EXPECT_EQ (finder.selectedNumber(), 4);

    finder.type (' ');
    EXPECT_EQ (matchTexts (finder), juce::StringArray ({ "Bass Drop0001" }));
    EXPECT_EQ (finder.getSelection(), 0);

    // back at a beginning, the result is a prefix one again
    while (finder.getSearchText().isNotEmpty())
        finder.erase();
    finder.type ('P');
    EXPECT_EQ (matchTexts (finder), juce::StringArray ({ "Pad0002" }));
    EXPECT_FALSE (finder.isSubstringResult());
}

TEST (ProgramFinder, TextFoundNowhereClearsEvenInsideNames)
{
    const struct { const char* typed; const char* remaining; } cases[] = {
        { "ub",  "ub" },  // inside "Sub Bass"
        { "ubx", "" },    // nowhere
        { "4",   "" },    // the number digits are no name
        { "0",   "" },
        { " ",   " " },   // the blank inside two names
    };
    for (const auto& c : cases)
    {
        auto finder = finderOf ({ "Sub Bass", "Pad", "Fat bass" });
        typeText (finder, c.typed);
        EXPECT_EQ (finder.getSearchText(), c.remaining) << c.typed;
        EXPECT_EQ (finder.getMatches().empty(), juce::String (c.remaining).isEmpty()) << c.typed;
    }
}
