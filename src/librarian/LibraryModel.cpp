#include "librarian/LibraryModel.h"
#include "librarian/LibraryFile.h"
#include "model/ValueFormat.h"
#include "plugin/SafeFile.h"

#include <algorithm>
#include <cstring>

static_assert (sizeof (ProgramSysex::Record) == ProgramSysex::recordSize, "records are read from bytes back to back");

LibraryModel::LibraryModel (juce::File file)
    : defaultFile (std::move (file))
{
}

LibraryModel::~LibraryModel()
{
    if (defaultLoaded)
        saveDefaultLibrary();
}

bool LibraryModel::contains (const Record& record) const noexcept
{
    return std::find (library.begin(), library.end(), record) != library.end();
}

int LibraryModel::selectedRecord() const noexcept
{
    return juce::isPositiveAndBelow (selection, (int) rows.size()) ? rows[(size_t) selection] : -1;
}

std::optional<LibraryModel::Record> LibraryModel::select (int row)
{
    if (! juce::isPositiveAndBelow (row, (int) rows.size()))
    {
        selection = -1;
        return std::nullopt;
    }

    selection = row;
    return library[(size_t) rows[(size_t) row]];
}

std::optional<LibraryModel::Record> LibraryModel::moveSelection (int step)
{
    const auto row = selection + step;
    if (! juce::isPositiveAndBelow (row, (int) rows.size()))
        return std::nullopt;

    return select (row);
}

juce::String LibraryModel::filterLabel() const
{
    return filter == Filter::category ? ValueFormat::categoryName (category) : juce::String();
}

juce::String LibraryModel::cellCaption (int cell)
{
    if (cell == 0)
        return "--f--";
    if (juce::isPositiveAndBelow (cell, chooserCategories))
        return ValueFormat::categoryName (cell).toUpperCase();
    return cell == allCell ? "ALL" : "";
}

juce::String LibraryModel::countText (int cell) const
{
    if (cell == allCell)
        return "Size: " + juce::String (size());
    if (! juce::isPositiveAndBelow (cell, chooserCategories) || counts[(size_t) cell] == 0)
        return {};
    return juce::String (counts[(size_t) cell]);
}

juce::String LibraryModel::deletePrompt() const
{
    const auto index = selectedRecord();
    return index < 0 ? juce::String() : "Delete " + quotedName (library[(size_t) index]) + " ?";
}

juce::String LibraryModel::renamePrompt() const
{
    const auto index = selectedRecord();
    return index < 0 ? juce::String() : "Rename " + quotedName (library[(size_t) index]) + ":";
}

juce::String LibraryModel::alreadyExistsText (const Record& current) const
{
    return quotedName (current) + " Program already exists in the library.";
}

juce::String LibraryModel::displayName (const Record& record)
{
    juce::String text;
    for (int i = 0; i < nameLength; ++i)
    {
        const auto byte = record[(size_t) (nameOffset + i)];
        text << juce::String::charToString (byte < 32 || byte > 127 ? (juce::juce_wchar) 'A' : (juce::juce_wchar) byte);
    }
    return text;
}

juce::String LibraryModel::quotedName (const Record& record)
{
    return displayName (record).trimCharactersAtEnd (" ");
}

void LibraryModel::writeName (Record& record, const juce::String& text)
{
    const auto name = text.substring (0, nameLength).paddedRight (' ', nameLength);
    for (int i = 0; i < nameLength; ++i)
    {
        const auto c = name[i];
        record[(size_t) (nameOffset + i)] = (uint8_t) (c >= 20 && c <= 159 ? c : ' ');
    }
}

juce::String LibraryModel::nameToStore (const juce::String& typed)
{
    return typed.isEmpty() ? juce::String ("Untitled") : typed;
}

LibraryModel::Merge LibraryModel::loadLibraryFile (const void* data, size_t size, ProgramFile::Form form)
{
    const auto* bytes = static_cast<const uint8_t*> (data);
    if (bytes == nullptr)
        size = 0;

    // A group file picked in the library dialog holds packed dumps, not records: read as records
    // they would fill the library with garbage. A library file starts with its marker, never F0.
    if (form == ProgramFile::Form::syx || (size > 0 && bytes[0] == ProgramSysex::sysexStart))
        return loadGroupFile (ProgramFile::readGroup (bytes, size, form));

    readIntoPending (bytes + (size > 0 ? LibraryFile::markerSize : 0), LibraryFile::recordsIn (size));
    return merge();
}

LibraryModel::Merge LibraryModel::loadGroupFile (const std::vector<Record>& groupRecords)
{
    readIntoPending (groupRecords.empty() ? nullptr : groupRecords.front().data(), groupRecords.size());
    return merge();
}

LibraryModel::Merge LibraryModel::loadGroup (const Bank_Program& group)
{
    const auto data = group.getGroupData();
    const auto count = std::min ((size_t) Bank_Program::recordsPerGroup, data.size() / (size_t) ProgramSysex::recordSize);
    readIntoPending (data.data(), count);
    return merge();
}

void LibraryModel::readIntoPending (const uint8_t* bytes, size_t count)
{
    pendingIndex.readUnique (bytes, count, pending);
}

LibraryModel::Merge LibraryModel::merge()
{
    // Nothing read must not lead to a replace: the prompts' NO, NO would empty the library.
    if (pending.empty())
        return Merge::nothing;

    if (! library.empty())
        return Merge::askAppend;

    mergePending (MergeMode::replace);
    return Merge::replaced;
}

void LibraryModel::mergePending (MergeMode mode)
{
    // The records move rather than stay behind as a second copy: every import starts by emptying
    // the pending set, so nothing would read them again, and a large library would be held twice.
    if (mode == MergeMode::replace)
        library.swap (pending);
    else
        library.insert (library.end(), pending.begin(), pending.end());

    pending.clear();
    recordsChanged (Filter::all, category);
}

juce::MemoryBlock LibraryModel::fileBytes() const
{
    return LibraryFile::write (library);
}

bool LibraryModel::saveTo (const juce::File& file) const
{
    if (library.empty())
        return false;

    const auto bytes = fileBytes();
    return SafeFile::replaceWith (file, bytes.getData(), bytes.getSize());
}

void LibraryModel::clearAll()
{
    library.clear();
    recordsChanged (Filter::all, category);
}

bool LibraryModel::renameSelected (const juce::String& typed, int newCategory)
{
    const auto index = selectedRecord();
    if (index < 0 || typed.isEmpty())
        return false;

    auto& record = library[(size_t) index];
    writeName (record, typed);
    record[(size_t) categoryOffset] = (uint8_t) juce::jlimit (0, 255, newCategory);
    recordsChanged (filter, category);
    return true;
}

bool LibraryModel::deleteSelected()
{
    const auto index = selectedRecord();
    if (index < 0)
        return false;

    library.erase (library.begin() + index);
    recordsChanged (filter, category);
    return true;
}

std::optional<LibraryModel::Record> LibraryModel::addCurrent (Record current, const juce::String& typed, int newCategory)
{
    writeName (current, nameToStore (typed));
    current[(size_t) categoryOffset] = (uint8_t) juce::jlimit (0, 255, newCategory);

    // The program may have become identical to a library record while the prompt was open; then
    // that record is the one selected, not whichever happens to be last.
    auto index = (int) (std::find (library.begin(), library.end(), current) - library.begin());
    if (index == (int) library.size())
        library.push_back (current);

    recordsChanged (filter, category);

    const auto row = std::lower_bound (rows.begin(), rows.end(), index);
    if (row == rows.end() || *row != index)
        return std::nullopt;

    return select ((int) (row - rows.begin()));
}

void LibraryModel::chooseCell (int cell)
{
    if (juce::isPositiveAndBelow (cell, chooserCategories))
        rebuild (Filter::category, (uint8_t) cell);
    else if (cell == allCell)
        rebuild (Filter::all, category);
}

void LibraryModel::loadDefaultLibrary()
{
    const auto bytes = SafeFile::read (defaultFile);

    // A file that is there but could not be read must not be overwritten by whatever the user
    // adds before closing.
    defaultLoaded = bytes.getSize() > 0 || ! defaultFile.existsAsFile() || defaultFile.getSize() == 0;

    library = LibraryFile::read (bytes.getData(), bytes.getSize());
    recordsChanged (Filter::all, category);
}

bool LibraryModel::saveDefaultLibrary() const
{
    return saveTo (defaultFile);
}

void LibraryModel::recordsChanged (Filter newFilter, uint8_t newCategory)
{
    categories.resize (library.size());
    for (size_t i = 0; i < library.size(); ++i)
        categories[i] = library[i][(size_t) categoryOffset];

    rebuild (newFilter, newCategory);
}

void LibraryModel::rebuild (Filter newFilter, uint8_t newCategory)
{
    filter = newFilter;
    category = newCategory;
    selection = -1;
    counts.fill (0);
    rows.clear();

    const auto n = (int) categories.size();
    const auto* c = categories.data();
    if (filter == Filter::all)
    {
        rows.resize ((size_t) n);
        for (int i = 0; i < n; ++i)
        {
            rows[(size_t) i] = i;
            ++counts[c[i]];
        }
        return;
    }

    for (int i = 0; i < n; ++i)
    {
        ++counts[c[i]];
        if (c[i] == category)
            rows.push_back (i);
    }
}
