#include "support/EngineTestSupport.h"
#include "librarian/FileMan.h"
#include "librarian/LibraryFile.h"
#include "librarian/ProgramFile.h"

namespace
{
using ProgramSysex::Record;
using Form = ProgramFile::Form;

Record recordNamed (const char* name, uint8_t mark)
{
    Record r {};
    for (size_t i = 0; i < r.size(); ++i)
        r[i] = (uint8_t) ((i * 7 + mark) & 0x7F);
    std::fill_n (r.begin() + 65, 16, (uint8_t) ' ');
    std::copy_n (name, std::strlen (name), r.begin() + 65);
    return r;
}

const Record bass = recordNamed ("Bass", 1), brass = recordNamed ("Brass", 2), strings = recordNamed ("Strings", 3);

Bytes text (const char* s) { return Bytes (s, s + std::strlen (s)); }

Bytes operator+ (Bytes a, const Bytes& b)
{
    a.insert (a.end(), b.begin(), b.end());
    return a;
}

Bytes dump (const Record& r, int group = 2, int index = 7) { return ProgramSysex::programDump (group, index, r); }
Bytes editDump (const Record& r) { return ProgramSysex::editBufferDump (r); }
Bytes raw (const Record& r) { return Bytes (r.begin(), r.end()); }

std::vector<Record> group (const Bytes& file, Form form = Form::own) { return ProgramFile::readGroup (file.data(), file.size(), form); }

std::optional<Record> single (const Bytes& file, Form form = Form::own)
{
    if (auto s = ProgramFile::readSingle (file.data(), file.size(), form))
        return s->record;
    return std::nullopt;
}
}

TEST (ProgramFiles, ReadersTakeWhatTheFilesHold)
{
    const Bytes foreign { 0xF0, 0x43, 0x10, 0x01, 0x02, 0xF7 }; // another maker's SysEx
    Bytes noEnd (200, 0x20);
    noEnd[3] = 0xF0;
    const auto bassDump = dump (bass);
    Bytes twoDumpsCutShort = dump (bass) + dump (brass);
    twoDumpsCutShort.resize (twoDumpsCutShort.size() - 1);

    const struct
    {
        const char* what;
        Bytes file;
        Form form;
        std::optional<Record> single;
        std::vector<Record> group;
    } cases[] = {
        { "a program dump", dump (bass), Form::own, bass, { bass } },
        { "an edit-buffer dump", editDump (bass), Form::own, bass, {} },
        { "text before the dump", text ("Bass from the studio\r\n") + dump (bass) + text ("\r\n"), Form::own, bass, { bass } },
        { "a whole group in a program file: its first", dump (bass) + dump (brass) + dump (strings), Form::own, bass, { bass, brass, strings } },
        { "three dumps separated by line breaks", dump (bass) + text ("\n") + dump (brass) + text ("\r\n") + dump (strings), Form::own, bass, { bass, brass, strings } },
        { "an F0 with no F7 in 200 bytes", noEnd, Form::own, std::nullopt, {} },
        { "nine bytes", Bytes (9, 0xF0), Form::own, std::nullopt, {} },
        { "a last dump cut short", twoDumpsCutShort, Form::own, bass, { bass } },
        { "other SysEx first: own files take the first message whatever it is", foreign + dump (bass), Form::own, std::nullopt, { bass } },
        { ".syx: other SysEx passed over", foreign + dump (bass) + foreign + editDump (brass), Form::syx, bass, { bass, brass } },
        { ".syx: edit-buffer and program dumps in any mix, in file order", editDump (strings) + dump (bass, 9, 39) + editDump (brass), Form::syx, strings, { strings, bass, brass } },
        { ".syx: another device's dump of the same length", [] { auto d = dump (bass); d[2] = 0x2F; return d; }() + editDump (brass), Form::syx, brass, { brass } },
        { ".syx: a dump cut short by the next message", Bytes (bassDump.begin(), bassDump.end() - 20) + editDump (brass), Form::syx, brass, { brass } },
        { ".syx: nothing of this instrument", foreign + foreign, Form::syx, std::nullopt, {} },
    };

    for (const auto& c : cases)
    {
        EXPECT_EQ (single (c.file, c.form), c.single) << c.what;
        EXPECT_EQ (group (c.file, c.form), c.group) << c.what;
    }

    // A message of exactly 128 bytes, F0 to F7, is taken as the record itself.
    Bytes bare (128, 0x11);
    bare.front() = 0xF0;
    bare.back() = 0xF7;
    const auto taken = ProgramFile::readSingle (bare.data(), bare.size(), Form::own);
    ASSERT_TRUE (taken.has_value());
    EXPECT_EQ (raw (taken->record), bare);
    EXPECT_EQ (taken->message, bare);
}

TEST (ProgramFiles, WhatIsWrittenReadsBack)
{
    // A program from a slot goes back to that slot; one from nowhere as the edit buffer.
    const auto fromSlot = ProgramFile::writeSingle (bass, 3, 17);
    EXPECT_EQ (fromSlot, dump (bass, 3, 17));
    const auto fromNowhere = ProgramFile::writeSingle (brass);
    EXPECT_EQ (fromNowhere, editDump (brass));
    for (const auto* file : { &fromSlot, &fromNowhere })
        for (auto form : { Form::own, Form::syx })
            EXPECT_EQ (single (*file, form), file == &fromSlot ? bass : brass);

    std::vector<Record> forty;
    for (int i = 0; i < 40; ++i)
        forty.push_back (recordNamed (("Prog " + std::to_string (i)).c_str(), (uint8_t) i));
    const auto groupFile = ProgramFile::writeGroup (6, forty);
    ASSERT_EQ (groupFile.size(), 40u * 159u);
    EXPECT_EQ (Bytes (groupFile.begin() + 4, groupFile.begin() + 6), (Bytes { 6, 0 }));
    EXPECT_EQ (Bytes (groupFile.end() - 155, groupFile.end() - 153), (Bytes { 6, 39 })) << "addressed to the group's slots in order";
    EXPECT_EQ (group (groupFile, Form::own), forty);
    EXPECT_EQ (group (groupFile, Form::syx), forty);

    const auto library = LibraryFile::write ({ bass, brass });
    ASSERT_EQ (library.getSize(), 282u);
    const auto* bytes = static_cast<const char*> (library.getData());
    EXPECT_EQ (std::string (bytes, 13), "PX______Libr>");
    EXPECT_EQ (std::string (bytes + 269, 13), "<PX______Libr");
    EXPECT_EQ (LibraryFile::read (library.getData(), library.getSize()), (std::vector<Record> { bass, brass }));
    EXPECT_EQ (LibraryFile::write ({}).getSize(), 0u) << "an empty library is never written";
}

TEST (ProgramFiles, LibraryReadersIgnoreTheMarkers)
{
    auto file = LibraryFile::write ({ bass, brass, strings });
    auto* bytes = static_cast<char*> (file.getData());
    std::memcpy (bytes, "Something else", 13);
    std::memcpy (bytes + 13 + 3 * 128, "nor this one!", 13);
    EXPECT_EQ (LibraryFile::read (file.getData(), file.getSize()), (std::vector<Record> { bass, brass, strings }));

    // 13 + 128 × N bytes, no closing marker: still N records; anything shorter than a whole record
    // after the opening marker is not one.
    for (const auto& [size, count] : std::vector<std::pair<size_t, size_t>> { { 13 + 3 * 128, 3 }, { 13 + 2 * 128 + 127, 2 }, { 140, 0 }, { 141, 1 }, { 5, 0 }, { 0, 0 } })
        EXPECT_EQ (LibraryFile::read (file.getData(), size).size(), count) << size;
}

TEST (FileMan, KindsFiltersAndSavedNames)
{
    const struct
    {
        int kind;
        const char* title;
        const char* filter;
    } kinds[] = {
        { 1, "Load Single Prophet~5/10 Program", "*.p5_p;*.syx;" },
        { 3, "Load Prophet~5/10 Program Group", "*.p5_b;*.syx;" },
        { 4, "Load Prophet~5/10 Program Library", "*.p5_l;*.p5_b;*.syx;" },
        { 10, "Load FX Preset Bank", "*.fxb;" },
        { 11, "Load FX Preset", "*.fxp;" },
        { 101, "Save Prophet~5/10 Program", "*.p5_p;*.syx" },
        { 103, "Save Prophet~5/10 Program Group", "*.p5_b;*.syx" },
        { 104, "Save Prophet~5/10 Program Library", "*.p5_l" },
        { 111, "Save FX Preset", "*.fxp" },
    };
    for (const auto& k : kinds)
    {
        const auto* found = FileMan::findKind (k.kind);
        ASSERT_NE (found, nullptr) << k.kind;
        EXPECT_EQ (juce::String (found->title), k.title);
        EXPECT_EQ (FileMan::filterText (found->patterns, k.kind > 100 ? FileMan::Mode::save : FileMan::Mode::open), k.filter) << k.kind;
    }
    for (const int none : { 0, 8, 9, 12, 100, 107, 112 })
        EXPECT_EQ (FileMan::findKind (none), nullptr) << none;

    const juce::StringArray library { "*.p5_l" };
    const std::pair<const char*, const char*> names[] = {
        { "/home/me/Untitled", "/home/me/Untitled.p5_l" },
        { "/home/me/Bass", "/home/me/Bass.p5_l" },
        { "/home/me/Bass.x", "/home/me/Bass.x.p5_l" },
        { "/home/me/a.b", "/home/me/a.b.p5_l" },
        { "/home/me/a.bc", "/home/me/a.bc" },
        { "/home/me/Bass.p5", "/home/me/Bass.p5" },
        { "/home/me/Bass.txt", "/home/me/Bass.txt" },
        { "/home/my.files/Bass", "/home/my.files/Bass.p5_l" },
        { "C:\\My.Stuff\\Bass", "C:\\My.Stuff\\Bass.p5_l" },
    };
    for (const auto& [typed, saved] : names)
        EXPECT_EQ (FileMan::withSaveExtension (typed, library), saved) << typed;

    EXPECT_EQ (FileMan::defaultLibraryFile().getFileName(), "default_Lib..p5_l");
    EXPECT_EQ (FileMan::defaultLibraryFile().getParentDirectory().getFileName(), "PluginSettings");
}

TEST (FileMan, DialogsAnswerLaterAndFilesAreRead)
{
    ScratchFolder scratch;
    scratch.write ("Bass.p5_p", text ("notes\n") + dump (bass));
    scratch.write ("Mixed.syx", editDump (brass) + dump (strings));
    scratch.write ("Empty.p5_b", text ("no dumps in here at all"));

    // The dialog answers when the user is done, not inside the call.
    std::vector<FileMan::Request> asked;
    std::function<void (const juce::File&)> answer;
    FileMan files ([&] (const FileMan::Request& r, std::function<void (const juce::File&)> done)
    {
        asked.push_back (r);
        answer = std::move (done);
    });

    std::vector<bool> results;
    const auto note = [&] (bool ok) { results.push_back (ok); };

    files.loadProgramFile (note);
    ASSERT_EQ (asked.size(), 1u);
    EXPECT_EQ (asked[0].title, "Load Single Prophet~5/10 Program");
    EXPECT_EQ (asked[0].initialFile, juce::File()) << "open dialogs start where the platform starts them";
    EXPECT_TRUE (results.empty());
    answer (scratch.file ("Bass.p5_p"));
    EXPECT_EQ (results, (std::vector<bool> { true }));
    EXPECT_EQ (files.parsedProgram.getData(), bass);
    EXPECT_EQ (files.sysexMessage, dump (bass));

    files.loadGroupFile (note);
    answer (scratch.file ("Mixed.syx"));
    EXPECT_EQ (files.groupRecords, (std::vector<Record> { brass, strings }));

    files.loadGroupFile (note);
    answer (scratch.file ("Empty.p5_b"));
    files.loadProgramFile (note);
    answer (scratch.file ("Missing.p5_p"));
    EXPECT_EQ (results, (std::vector<bool> { true, true, false, false }));

    // Cancelled: false, and the path chosen before stays.
    const auto before = files.chosenPath;
    files.chooseFile (FileMan::Mode::save, 104, "Untitled", note);
    EXPECT_EQ (asked.back().initialFile, juce::File::getSpecialLocation (juce::File::userDocumentsDirectory).getChildFile ("Untitled"));
    answer (juce::File());
    EXPECT_FALSE (results.back());
    EXPECT_FALSE (files.confirmed);
    EXPECT_EQ (files.chosenPath, before);

    files.chooseFile (FileMan::Mode::save, 104, "Untitled", note);
    answer (scratch.file ("Mine"));
    EXPECT_TRUE (results.back());
    EXPECT_EQ (files.chosenPath, scratch.file ("Mine.p5_l").getFullPathName());

    // A dialog that answers after its FileMan is gone answers no one.
    {
        FileMan shortLived ([&] (const FileMan::Request&, std::function<void (const juce::File&)> done) { answer = std::move (done); });
        shortLived.loadProgramFile ([&] (bool) { ADD_FAILURE() << "answered a FileMan that was gone"; });
    }
    answer (scratch.file ("Bass.p5_p"));
}
