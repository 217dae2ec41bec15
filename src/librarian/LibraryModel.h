#pragma once

#include "groups/Bank_Program.h"
#include "librarian/ProgramFile.h"
#include "librarian/RecordIndex.h"
#include "model/ProgramSysex.h"

#include <juce_core/juce_core.h>

#include <array>
#include <optional>
#include <vector>

/** The program library without its pixels: the records, the records read by the last import,
    the rows the list shows, the category counts, and the rule of every command of the library's
    panel. The panel asks the questions (file dialogs, prompts) and hands the answers in; the
    model never waits for the user.

    The library has no size limit, so nothing here compares every record with every other:
    imports find duplicates by hash, and rebuilding the rows and counts is one pass. */
class LibraryModel
{
public:
    using Record = ProgramSysex::Record;

    static constexpr int nameOffset = 65;
    static constexpr int nameLength = 16;
    static constexpr int categoryOffset = 93;
    static constexpr int chooserCategories = 20; // the chooser's cells 0..19
    static constexpr int allCell = 27;           // the chooser's "ALL"
    static constexpr int promptCategories = 26;  // what the prompts' category box offers

    enum class Filter
    {
        all,
        category
    };

    /** What an import asks of the panel next. */
    enum class Merge
    {
        nothing,   // no prompt: nothing was read that could be merged
        replaced,  // the library was empty and now holds the records read
        askAppend  // ask "Append Programs?", then `mergePending`
    };

    enum class MergeMode
    {
        append,
        replace
    };

    /** `defaultFile` is where the library is kept between uses of the plug-in. */
    explicit LibraryModel (juce::File defaultFile);

    /** Writes the default library file, when it was loaded (see `loadDefaultLibrary`). */
    ~LibraryModel();

    LibraryModel (const LibraryModel&) = delete;
    LibraryModel& operator= (const LibraryModel&) = delete;

    // --- records ----------------------------------------------------------------------------------
    int size() const noexcept { return (int) library.size(); }
    const std::vector<Record>& records() const noexcept { return library; }
    /** The records of the last import not yet merged. */
    const std::vector<Record>& pendingSet() const noexcept { return pending; }

    /** Is an identical record (all 128 bytes) in the library? */
    bool contains (const Record& record) const noexcept;

    // --- view ---------------------------------------------------------------------------------------
    int numRows() const noexcept { return (int) rows.size(); }
    /** The library index shown in each row, in library order. */
    const std::vector<int>& view() const noexcept { return rows; }
    Filter filterMode() const noexcept { return filter; }
    uint8_t filterCategory() const noexcept { return category; }

    /** Library records per value of the category byte, every value a byte can hold. */
    const std::array<int, 256>& categoryCounts() const noexcept { return counts; }

    int selectedRow() const noexcept { return selection; }
    /** The library index of the selected row; -1 for none. */
    int selectedRecord() const noexcept;

    /** Selects a row and gives the record to install as the current program; a row outside the
        view clears the selection and installs nothing. */
    std::optional<Record> select (int row);

    /** Up (-1) and Down (+1): moves the selection one row; past either end nothing changes. */
    std::optional<Record> moveSelection (int step);

    // --- what the panel shows -------------------------------------------------------------------
    bool canSave() const noexcept { return ! rows.empty(); }
    bool canClearAll() const noexcept { return ! rows.empty(); }
    bool canRename() const noexcept { return selectedRecord() >= 0; }
    bool canDelete() const noexcept { return selectedRecord() >= 0; }

    /** The filter category's name, or nothing while every record is shown. */
    juce::String filterLabel() const;
    /** "--f--", the category names in upper case, "ALL"; nothing for a hidden cell. */
    static juce::String cellCaption (int cell);
    /** A category's count, empty when 0; "Size: " and the library size under "ALL". */
    juce::String countText (int cell) const;

    juce::String deletePrompt() const;
    juce::String renamePrompt() const;
    juce::String alreadyExistsText (const Record& current) const;

    // --- names ---------------------------------------------------------------------------------------
    /** The 16 name characters, a byte outside 32..127 shown as "A". */
    static juce::String displayName (const Record& record);
    /** The displayed name without its trailing spaces, as prompts quote it. */
    static juce::String quotedName (const Record& record);
    /** The text cut or padded to 16 characters; a character outside codes 20..159 becomes a space. */
    static void writeName (Record& record, const juce::String& text);
    /** What the program name prompt stores: "Untitled" for an empty text. */
    static juce::String nameToStore (const juce::String& typed);

    // --- LOAD ------------------------------------------------------------------------------------------
    /** "From Library File": the whole file's bytes; a ".syx" file gives its dumps. */
    Merge loadLibraryFile (const void* data, size_t size, ProgramFile::Form form);
    /** "From Program Group File": the records read, none when the file could not be read. */
    Merge loadGroupFile (const std::vector<Record>& groupRecords);
    /** "Load From " a program group of the instrument's memory, and "Import from FX Preset Bank". */
    Merge loadGroup (const Bank_Program& group);

    /** The answer to "Append Programs?" (and to "Save the Current Library?" for a replace). The
        pending records move into the library; the pending set is then empty. */
    void mergePending (MergeMode mode);

    // --- SAVE, CLEAR ALL -------------------------------------------------------------------------------
    /** The library file's bytes; empty for an empty library. */
    juce::MemoryBlock fileBytes() const;
    /** Replaces `file` with the library in one step. False when nothing was written: the library
        is empty, or the write failed and the former file stays whole. */
    bool saveTo (const juce::File& file) const;

    /** Whether CLEAR ALL asks "Save Current Library?" first. */
    bool clearAllAsks() const noexcept { return ! library.empty(); }
    void clearAll();

    // --- RENAME, DELETE, ADD CURRENT ---------------------------------------------------------------
    /** OK of the rename prompt: a non-empty text names the selected record and the category is
        stored with it; the filter stays. Returns whether anything changed. */
    bool renameSelected (const juce::String& typed, int newCategory);

    /** OK of the delete prompt. */
    bool deleteSelected();

    /** OK of "Program name:": the current program with the chosen name and category joins the
        library unless it is already there; when the view shows it, its row is selected and the
        record to install is returned. */
    std::optional<Record> addCurrent (Record current, const juce::String& typed, int newCategory);

    // --- category chooser ------------------------------------------------------------------------------
    /** Cells 0..19 show one category, "ALL" every record; other cells do nothing. */
    void chooseCell (int cell);

    // --- the default library file ------------------------------------------------------------------
    /** Reads the default library file (a missing one leaves the library empty) and arms the write
        at destruction. */
    void loadDefaultLibrary();
    /** Writes the library to the default file; an empty library leaves the file as it was. */
    bool saveDefaultLibrary() const;

private:
    void readIntoPending (const uint8_t* bytes, size_t count);
    Merge merge();
    /** After any change of the records: refreshes their categories, then rebuilds. */
    void recordsChanged (Filter newFilter, uint8_t newCategory);
    /** Rows and counts from the categories alone, so a filter change never walks the records. */
    void rebuild (Filter newFilter, uint8_t newCategory);

    juce::File defaultFile;
    bool defaultLoaded = false;

    std::vector<Record> library, pending;
    RecordIndex pendingIndex;

    std::vector<uint8_t> categories; // byte 93 of each record, in library order
    std::vector<int> rows;
    Filter filter = Filter::all;
    uint8_t category = 0;
    std::array<int, 256> counts {};
    int selection = -1;
};
