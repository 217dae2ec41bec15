#pragma once

#include <juce_core/juce_core.h>

#include <functional>
#include <vector>

class Bank_Program;

/** Finds a stored program by its name as the user types it: the rules of the program finder,
    without its drawing.

    Every program is listed once as an entry: its name followed by its number in four digits with
    leading zeros ("Brass 10042"). The entries are sorted as plain text, ignoring case, so "bass"
    and "Brass" stand where a reader would look for them; entries that differ only in case keep a
    fixed order.

    The typed text matches the entries that begin with it, regardless of case. When none does, the
    entries whose names contain it anywhere are listed instead and the result says so; a text found
    nowhere clears itself. */
class ProgramFinder
{
public:
    struct Entry
    {
        /** The name followed by the four-digit program number. */
        juce::String text;
        int program = 0;
        /** The category byte of the program's record. */
        int category = 0;

        juce::String name() const { return text.dropLastCharacters (4); }
        /** The program number as the number field shows it: the last three digits. */
        juce::String numberText() const { return text.getLastCharacters (3); }
    };

    struct Program
    {
        juce::String name;
        int category = 0;
    };

    /** `programs[n]` is program number n. */
    explicit ProgramFinder (const std::vector<Program>& programs);

    /** The stored programs: program n is record n % 40 of group n / 40. */
    static ProgramFinder fromGroups (const std::function<const Bank_Program& (int group)>& group, int numGroups);

    /** Appends a character to the search text and searches. */
    void type (juce::juce_wchar c);
    /** Removes the last character of the search text and searches. */
    void erase();
    /** Matches the search text against the entries (after every change of it). */
    void search();
    /** Moves the selection by delta, kept within the matches; false when it stays where it was. */
    bool move (int delta);

    const juce::String& getSearchText() const noexcept { return searchText; }
    /** What the search field shows: the search text, or the selected entry's name once the
        selection has been moved. */
    const juce::String& getFieldText() const noexcept  { return fieldText; }
    const juce::String& getNumberText() const noexcept { return numberText; }
    const std::vector<Entry>& getEntries() const noexcept { return entries; }
    const std::vector<Entry>& getMatches() const noexcept { return matches; }
    int getSelection() const noexcept { return selection; }
    /** The matches contain the search text somewhere in their names; none begins with it. */
    bool isSubstringResult() const noexcept { return substringResult; }

    /** The program the number field names, or -1 when it is empty or not a number. */
    int selectedNumber() const;

private:
    std::vector<Entry> entries, matches;
    juce::String searchText, fieldText, numberText;
    int selection = 0;
    bool substringResult = false;
};
