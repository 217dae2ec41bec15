#include "support/EngineTestSupport.h"
#include "librarian/LibraryFile.h"
#include "librarian/LibraryModel.h"

namespace
{
using Record = LibraryModel::Record;
using Merge = LibraryModel::Merge;
using Records = std::vector<Record>;

Record program (const char* name, uint8_t category, int mark = 0)
{
    Record r {};
    for (size_t i = 0; i < r.size(); ++i)
        r[i] = (uint8_t) ((i * 5 + (size_t) mark) & 0x7F);
    LibraryModel::writeName (r, name);
    r[LibraryModel::categoryOffset] = category;
    return r;
}

const Record bass = program ("Bass", 8), lead = program ("Lead", 6), pad = program ("Pad", 3);

Bytes libraryFile (const Records& records)
{
    const auto block = LibraryFile::write (records);
    const auto* data = static_cast<const uint8_t*> (block.getData());
    return Bytes (data, data + block.getSize());
}

Bytes groupFile (const Records& records) { return ProgramFile::writeGroup (0, records); }

Merge loadFile (LibraryModel& model, const Bytes& file, ProgramFile::Form form = ProgramFile::Form::own)
{
    return model.loadLibraryFile (file.data(), file.size(), form);
}

Merge loadGroupOf (LibraryModel& model, const Records& records)
{
    Bank_Program group ("User Bank 0");
    for (size_t i = 0; i < records.size(); ++i)
        group.storeProgram ((int) i, records[i]);
    return model.loadGroup (group);
}

/** A library holding these records, every record shown. */
struct Library
{
    explicit Library (const Records& records = {})
    {
        if (! records.empty())
            model.loadGroupFile (records);
    }

    ScratchFolder folder;
    LibraryModel model { folder.file ("default_Lib..p5_l") };
};
}

TEST (LibraryModel, ImportsKeepOneOfEachRecord)
{
    auto renamed = bass;
    LibraryModel::writeName (renamed, "Bass 2");
    auto recategorised = bass;
    recategorised[LibraryModel::categoryOffset] = 9;
    Bytes noClosingMarker = libraryFile ({ bass, lead });
    noClosingMarker.resize (noClosingMarker.size() - (size_t) LibraryFile::markerSize);

    Records manyWithDuplicates;
    Records manyDistinct;
    for (int i = 0; i < 10000; ++i)
    {
        auto r = program ("Many", 1, 0);
        std::memcpy (r.data(), &i, sizeof (i));
        manyDistinct.push_back (r);
        manyWithDuplicates.push_back (r);
        if (i % 3 == 0)
            manyWithDuplicates.push_back (manyDistinct[(size_t) i / 2]);
    }

    const struct
    {
        const char* what;
        std::function<Merge (LibraryModel&)> load;
        Records pending;
    } cases[] = {
        { "a group of 40 identical programs", [] (LibraryModel& m) { return loadGroupOf (m, Records (40, bass)); }, { bass } },
        { "first of each kept, in order", [] (LibraryModel& m) { return loadGroupOf (m, { lead, bass, lead, pad, bass }); }, { lead, bass, pad } },
        { "name and category are compared", [&] (LibraryModel& m) { return m.loadGroupFile ({ bass, renamed, recategorised, bass }); }, { bass, renamed, recategorised } },
        { "a library file with duplicates", [] (LibraryModel& m) { return loadFile (m, libraryFile ({ pad, pad, lead })); }, { pad, lead } },
        { "a library file without its closing marker", [&] (LibraryModel& m) { return loadFile (m, noClosingMarker); }, { bass, lead } },
        { "a group file picked as a library", [] (LibraryModel& m) { return loadFile (m, groupFile ({ bass, lead, bass })); }, { bass, lead } },
        { "a .syx file", [] (LibraryModel& m) { return loadFile (m, groupFile ({ pad, pad }), ProgramFile::Form::syx); }, { pad } },
        { "ten thousand records among duplicates", [&] (LibraryModel& m) { return m.loadGroupFile (manyWithDuplicates); }, manyDistinct },
    };

    const auto seed = program ("Seed", 0, 99);
    for (const auto& c : cases)
    {
        Library empty;
        EXPECT_EQ (c.load (empty.model), Merge::replaced) << c.what;
        EXPECT_EQ (empty.model.records(), c.pending) << c.what;

        Library seeded ({ seed });
        EXPECT_EQ (c.load (seeded.model), Merge::askAppend) << c.what;
        EXPECT_EQ (seeded.model.pendingSet(), c.pending) << c.what;
        seeded.model.mergePending (LibraryModel::MergeMode::append);
        EXPECT_EQ (seeded.model.size(), (int) c.pending.size() + 1) << c.what;
        EXPECT_EQ (seeded.model.records().back(), c.pending.back()) << c.what;
    }
}

TEST (LibraryModel, ImportsAskBeforeJoiningALibraryAndNeverEmptyItForNothing)
{
    const struct
    {
        const char* what;
        Records library;
        Bytes file;
        Merge merge;
        Records after;
    } cases[] = {
        { "into an empty library: replaced at once", {}, libraryFile ({ bass }), Merge::replaced, { bass } },
        { "into a library: ask", { lead }, libraryFile ({ bass }), Merge::askAppend, { lead } },
        { "a file of 13 + 127 bytes", { lead }, [] { auto f = libraryFile ({ bass }); f.resize (140); return f; }(), Merge::nothing, { lead } },
        { "an empty file", { lead }, {}, Merge::nothing, { lead } },
    };

    for (const auto& c : cases)
    {
        Library library (c.library);
        EXPECT_EQ (loadFile (library.model, c.file), c.merge) << c.what;
        EXPECT_EQ (library.model.records(), c.after) << c.what;
    }
    Library library ({ lead });
    EXPECT_EQ (library.model.loadGroupFile ({}), Merge::nothing) << "an unreadable group file";
}

TEST (LibraryModel, AppendDoesNotCompareWithTheLibraryButAddCurrentDoes)
{
    Library library;
    const auto file = libraryFile ({ bass, lead });
    EXPECT_EQ (loadFile (library.model, file), Merge::replaced);
    EXPECT_EQ (loadFile (library.model, file), Merge::askAppend);
    library.model.mergePending (LibraryModel::MergeMode::append);
    EXPECT_EQ (library.model.records(), (Records { bass, lead, bass, lead }));
    EXPECT_EQ (library.model.numRows(), 4);

    EXPECT_TRUE (library.model.contains (lead));
    EXPECT_EQ (library.model.alreadyExistsText (lead), "Lead Program already exists in the library.");
    EXPECT_FALSE (library.model.contains (pad));

    EXPECT_EQ (loadFile (library.model, file), Merge::askAppend);
    library.model.mergePending (LibraryModel::MergeMode::replace);
    EXPECT_EQ (library.model.records(), (Records { bass, lead }));
}

TEST (LibraryModel, TheFilterDecidesWhatTheButtonsMayDo)
{
    Library library ({ bass, lead, pad, program ("Odd", 23) });
    const struct
    {
        int cell;
        std::vector<int> rows;
        const char* label;
    } cases[] = {
        { 8, { 0 }, "Bass" },
        { 0, {}, "- Not Assigned -" },
        { 19, {}, "User 4" },
        { LibraryModel::allCell, { 0, 1, 2, 3 }, "" },
        { 20, { 0, 1, 2, 3 }, "" }, // a hidden cell changes nothing
    };

    for (const auto& c : cases)
    {
        library.model.chooseCell (c.cell);
        EXPECT_EQ (library.model.view(), c.rows) << c.cell;
        EXPECT_EQ (library.model.filterLabel(), c.label) << c.cell;
        EXPECT_EQ (library.model.canSave(), ! c.rows.empty()) << c.cell;
        EXPECT_EQ (library.model.canClearAll(), ! c.rows.empty()) << c.cell;
        EXPECT_EQ (library.model.countText (LibraryModel::allCell), "Size: 4") << c.cell;
    }
    EXPECT_EQ (library.model.countText (8), "1");
    EXPECT_EQ (library.model.countText (0), "");
    EXPECT_EQ (library.model.categoryCounts()[23], 1);
    EXPECT_EQ (LibraryModel::cellCaption (0), "--f--");
    EXPECT_EQ (LibraryModel::cellCaption (10), "SUB BASS");
}

TEST (LibraryModel, RenameKeepsTheFilterAndEmptyTextChangesNothing)
{
    const struct
    {
        int cell;
        const char* typed;
        int newCategory;
        LibraryModel::Filter filter;
        std::vector<int> rows;
        const char* name;
    } cases[] = {
        { LibraryModel::allCell, "Deep Bass", 10, LibraryModel::Filter::all, { 0, 1, 2 }, "Deep Bass       " },
        { 8, "Deep Bass", 8, LibraryModel::Filter::category, { 0 }, "Deep Bass       " },
        { 8, "Deep Bass", 10, LibraryModel::Filter::category, {}, "Deep Bass       " },
        { 8, "", 10, LibraryModel::Filter::category, { 0 }, "Bass            " },
        { 8, "A name longer than sixteen", 8, LibraryModel::Filter::category, { 0 }, "A name longer th" },
    };

    for (const auto& c : cases)
    {
        Library library ({ bass, lead, pad });
        library.model.chooseCell (c.cell);
        library.model.select (0);
        EXPECT_EQ (library.model.renamePrompt(), "Rename Bass:");
        library.model.renameSelected (c.typed, c.newCategory);
        EXPECT_EQ (library.model.filterMode(), c.filter) << c.typed;
        EXPECT_EQ (library.model.view(), c.rows) << c.typed;
        EXPECT_EQ (LibraryModel::displayName (library.model.records()[0]), c.name) << c.typed;
    }
}

TEST (LibraryModel, AnEmptyNameIsStoredAsUntitled)
{
    const struct
    {
        const char* typed;
        const char* stored;
    } cases[] = { { "", "Untitled        " }, { "Untitled", "Untitled        " }, { "Tab\there", "Tab here        " } };

    for (const auto& c : cases)
    {
        Library library;
        library.model.addCurrent (pad, c.typed, 3);
        ASSERT_EQ (library.model.size(), 1) << c.typed;
        EXPECT_EQ (LibraryModel::displayName (library.model.records()[0]), c.stored) << c.typed;
    }

    Library library;
    library.model.addCurrent (pad, "", 3);
    EXPECT_FALSE (library.model.addCurrent (pad, "Untitled", 3) == std::nullopt);
    EXPECT_EQ (library.model.size(), 1) << "both give one and the same record";
}

TEST (LibraryModel, AddCurrentSelectsTheProgramWhereTheViewShowsIt)
{
    const struct
    {
        int cell;
        int newCategory;
        bool installed;
    } cases[] = { { LibraryModel::allCell, 12, true }, { 12, 12, true }, { 8, 12, false } };

    for (const auto& c : cases)
    {
        Library library ({ bass, lead });
        library.model.chooseCell (c.cell);
        const auto installed = library.model.addCurrent (pad, "Horns", c.newCategory);
        ASSERT_EQ (library.model.size(), 3);
        EXPECT_EQ (installed.has_value(), c.installed) << c.cell;
        if (installed)
        {
            EXPECT_EQ (*installed, library.model.records()[2]);
            EXPECT_EQ (library.model.selectedRecord(), 2);
        }
    }

    Library library ({ bass, lead });
    EXPECT_EQ (library.model.addCurrent (bass, "Bass", 8), bass) << "already there: that record is selected";
    EXPECT_EQ (library.model.selectedRecord(), 0);
}

TEST (LibraryModel, SelectionMovesByOneRowAndStopsAtTheEnds)
{
    Library library ({ bass, lead, pad });
    const struct
    {
        int step;
        int row;
        std::optional<Record> installed;
    } steps[] = { { -1, -1, std::nullopt }, { 1, 0, bass }, { 1, 1, lead }, { 1, 2, pad }, { 1, 2, std::nullopt }, { -1, 1, lead } };

    for (const auto& s : steps)
    {
        EXPECT_EQ (library.model.moveSelection (s.step), s.installed);
        EXPECT_EQ (library.model.selectedRow(), s.row);
    }

    EXPECT_EQ (library.model.deletePrompt(), "Delete Lead ?");
    EXPECT_TRUE (library.model.deleteSelected());
    EXPECT_EQ (library.model.records(), (Records { bass, pad }));
    EXPECT_FALSE (library.model.canDelete());
    EXPECT_FALSE (library.model.deleteSelected());
    EXPECT_EQ (library.model.select (5), std::nullopt);
}

TEST (LibraryModel, ClearAllAfterACancelledSaveEmptiesTheLibrary)
{
    Library library ({ bass, lead });
    library.model.chooseCell (8);
    EXPECT_TRUE (library.model.clearAllAsks());
    library.model.clearAll(); // "YES", then the save dialog cancelled
    EXPECT_EQ (library.model.size(), 0);
    EXPECT_EQ (library.model.filterMode(), LibraryModel::Filter::all);
    EXPECT_EQ (library.model.countText (8), "");
    EXPECT_EQ (library.model.countText (LibraryModel::allCell), "Size: 0");
    EXPECT_FALSE (library.model.clearAllAsks());
    EXPECT_FALSE (library.model.saveTo (library.folder.file ("empty.p5_l")));
    EXPECT_FALSE (library.folder.file ("empty.p5_l").exists()) << "an empty library writes nothing";
}

TEST (LibraryModel, TheDefaultLibraryOutlivesTheWindow)
{
    ScratchFolder folder;
    const auto file = folder.file ("PluginSettings/default_Lib..p5_l");

    const struct
    {
        const char* what;
        Records added;
        Records reopened;
    } sessions[] = {
        { "first use: no file yet", { bass, lead }, { bass, lead } },
        { "an empty library leaves the file as it was", {}, { bass, lead } },
        { "a changed library replaces it", { pad }, { pad } },
    };

    for (const auto& s : sessions)
    {
        const auto before = folder.read ("PluginSettings/default_Lib..p5_l");
        {
            LibraryModel model (file);
            model.loadDefaultLibrary();
            model.clearAll();
            if (! s.added.empty())
                model.loadGroupFile (s.added);
        }
        if (s.added.empty())
        {
            EXPECT_EQ (folder.read ("PluginSettings/default_Lib..p5_l"), before) << s.what;
        }

        LibraryModel reopened (file);
        reopened.loadDefaultLibrary();
        EXPECT_EQ (reopened.records(), s.reopened) << s.what;
        EXPECT_EQ (reopened.numRows(), (int) s.reopened.size()) << s.what;
    }

    {
        LibraryModel neverLoaded (file);
        neverLoaded.loadGroupFile ({ lead });
    }
    LibraryModel reopened (file);
    reopened.loadDefaultLibrary();
    EXPECT_EQ (reopened.records(), (Records { pad })) << "a panel that never read the file does not write it";
}
