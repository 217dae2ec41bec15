// Writes the seed corpora: the worked examples and well-formed messages of every kind, one
// folder per fuzz target under the folder given. Each target gets at least one seed as long as
// the longest thing it reads, so its -max_len (scripts/fuzz) is in reach from the start.
#include "EngineScript.h"
#include "groups/FactoryData.h"
#include "groups/GroupsDataFile.h"
#include "librarian/LibraryFile.h"
#include "librarian/ProgramFile.h"
#include "midi/PortSettings.h"
#include "model/GlobalSettings.h"
#include "model/DSI_Program.h"
#include "model/ParTable.h"
#include "plugin/PluginChunks.h"
#include "plugin/SettingsBlock.h"

namespace
{
using Bytes = std::vector<uint8_t>;
using namespace EngineScript;

void write (const juce::File& folder, const juce::String& name, const void* data, size_t size)
{
    folder.createDirectory();
    folder.getChildFile (name).replaceWithData (data, size);
}

void write (const juce::File& folder, const juce::String& name, const Bytes& bytes)
{
    write (folder, name, bytes.data(), bytes.size());
}

/** A script for fuzz_midi_input, built step by step (see EngineScript.h). */
struct Script
{
    explicit Script (uint8_t options = 0) : bytes { options } {}

    Script& port (const Bytes& message) { appendMessage (bytes, portMessage, message); return *this; }
    Script& partial (const Bytes& piece) { appendMessage (bytes, portPartial, piece); return *this; }
    Script& repeat (uint8_t count) { return step (portRepeat, { count }); }
    /** The instrument's next answers, `count` of them (up to 32 a step). */
    Script& answers (int count)
    {
        for (; count > 0; count -= 32)
            step (deliverAnswers, { (uint8_t) (std::min (count, 32) - 1) });
        return *this;
    }
    Script& receiveGroups (uint8_t kindIndex, uint8_t firstGroup) { return step (receive, { kindIndex, firstGroup }); }
    Script& step (Step s, const Bytes& arguments)
    {
        bytes.push_back (s);
        bytes.insert (bytes.end(), arguments.begin(), arguments.end());
        return *this;
    }
    Script& withRecord (const ProgramSysex::Record& record)
    {
        bytes.insert (bytes.end(), record.begin(), record.end());
        return *this;
    }

    Bytes bytes;
};

Bytes concatenated (const Bytes& message, int times)
{
    Bytes out;
    for (int k = 0; k < times; ++k)
        out.insert (out.end(), message.begin(), message.end());
    return out;
}
}

int main (int argc, char** argv)
{
    if (argc < 2)
        return 1;

    const juce::File root (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));
    auto record = ParTable::initialRecord();
    record[0] = 0x80;
    record[6] = 0x81;
    record[7] = 0xFF;
    record[126] = 5;
    record[127] = 9;

    const auto editDump = ProgramSysex::editBufferDump (record);
    const auto oneDump = ProgramSysex::programDump (3, 17, record);
    const Bytes globalDump { 0xF0, 0x01, 0x32, 0x0F, 10, 55, 0, 0xF7 };

    // --- the engine: messages from the instrument's port, host blocks, transfers and the editor
    const auto midi = root.getChildFile ("fuzz_midi_input");
    write (midi, "nrpn", Script().port ({ 0xB0, 99, 0 }).port ({ 0xB0, 98, 17 }).port ({ 0xB0, 6, 0 }).port ({ 0xB0, 38, 64 }).bytes);
    write (midi, "volume-program", Script (inThru | programChangeAutomation)
                                       .port ({ 0xB0, 7, 100 }).port ({ 0xB0, 32, 3 }).port ({ 0xC0, 5 })
                                       .port ({ 0x90, 60, 100 }).port ({ 0xE0, 0, 64 }).port ({ 0xF8 }).bytes);
    write (midi, "dumps", Script().port (editDump).port (oneDump).port (globalDump).bytes);

    {
        // A dump in pieces as a driver delivers them, one reported as a partial SysEx.
        Script pieces;
        for (size_t start = 0; start < oneDump.size(); start += 40)
            pieces.port (Bytes (oneDump.begin() + (std::ptrdiff_t) start, oneDump.begin() + (std::ptrdiff_t) std::min (oneDump.size(), start + 40)));
        pieces.port (Bytes (editDump.begin(), editDump.begin() + 60)).partial (Bytes (editDump.begin(), editDump.begin() + 60));
        write (midi, "dump-in-pieces", pieces.bytes);
    }

    {
        // A SysEx that never ends: 2,000 bytes, then its body again and again past the engine's
        // limit; then a good dump.
        Bytes longSysex (2000, 0x11);
        longSysex[0] = 0xF0;
        write (midi, "endless-sysex", Script().port (longSysex).port (Bytes (1000, 0x22)).repeat (9).port (editDump).bytes);
    }

    {
        // A host block: bank select and program change among notes, a SysEx that fits the audio
        // thread's reserve and one that does not.
        Bytes fits (100, 0x10), tooLong (600, 0x10);
        fits.front() = tooLong.front() = 0xF0;
        fits.back() = tooLong.back() = 0xF7;
        Script host;
        host.step (hostBlock, { 255, 1, 6 });
        for (const auto& [position, message] : { std::pair<int, Bytes> { 0, { 0xB0, 32, 1 } }, { 10, { 0xC0, 4 } },
                                                 { 20, { 0x90, 62, 100 } }, { 30, fits }, { 40, tooLong }, { 50, { 0x80, 62, 0 } } })
        {
            host.bytes.push_back ((uint8_t) position);
            appendLength (host.bytes, message.size());
            host.bytes.insert (host.bytes.end(), message.begin(), message.end());
        }
        write (midi, "host", host.bytes);
    }

    // Group transfers: one group, the two factory groups from 8 on, and one the instrument's
    // port ends with dumps of its own, one of them for a slot the instrument does not have.
    write (midi, "receive-group", Script().receiveGroups (0, 2).answers (48).step (drain, {}).bytes);
    write (midi, "receive-factory-groups", Script().receiveGroups (2, 8).answers (96).bytes);
    write (midi, "receive-from-port", Script().receiveGroups (0, 0).port (ProgramSysex::programDump (0, 38, record))
                                          .port (ProgramSysex::programDump (12, 3, record)).port (ProgramSysex::programDump (0, 39, record))
                                          .answers (3).bytes);

    // Going on-line: the globals answer, the sync asks for the edit buffer, which answers too;
    // the instrument sending in 7-byte pieces.
    write (midi, "online", Script (instrumentPieces).step (request, { 4, 0, 0 }).answers (32).step (syncPoll, { 10, 1 })
                               .answers (32).step (syncPoll, { 100, 1 }).bytes);

    {
        // The editor at work: a program selected and sent, a parameter edited, a program stored
        // and sent, keys played, the channel changed, a long SysEx sent, the output reopened, the
        // instrument's knob turned.
        Script editor (inThru);
        editor.step (selectProgram, { 0, 0, 45, 3 })
            .step (edit, { 0, 0, 17, 0, 200, 0 })
            .step (store, { 1, 2, 5, 1 }).withRecord (record)
            .step (syncPoll, { 10, 1 })
            .step (edit, { 3, 0, 5, 0x20, 0, 0 }).step (edit, { 4, 1, 5, 0, 64, 0 })
            .step (option, { 8, 1 }).step (option, { 7, 1 })
            .step (keys, { 0, 'z' }).step (keys, { 0, 'i' }).step (keys, { 1, 0 }).step (keys, { 3, 0 })
            .step (option, { 3, 5 })
            .step (engineSysex, { 0 });
        Bytes longOut (400, 0x33);
        longOut.front() = 0xF0;
        longOut.back() = 0xF7;
        appendLength (editor.bytes, longOut.size());
        editor.bytes.insert (editor.bytes.end(), longOut.begin(), longOut.end());
        editor.step (ports, { 0 }).step (ports, { 1 }).step (ports, { 5 }).step (ports, { 6 })
            .step (instrument, { 0, 40, 0, 99 })
            .step (instrument, { 4, GlobalSettings::midiChannelGlobal, 5 })
            .answers (8)
            .step (request, { 1, 0, 0 }).answers (1)
            .step (drain, {});
        write (midi, "editor", editor.bytes);
    }

    // --- program records
    const auto records = root.getChildFile ("fuzz_program_record");
    write (records, "edit-buffer-dump", editDump);
    write (records, "program-dump", oneDump);
    write (records, "raw", record.data(), record.size());

    // --- groups of dumps: a few, and the whole-memory file of 99 that replaces a group
    const auto groups = root.getChildFile ("fuzz_group_dumps");
    write (groups, "three-dumps", concatenated (oneDump, 3));
    write (groups, "ninety-nine-dumps", concatenated (oneDump, Bank_Program::maximumRecords));

    // --- the host's chunks
    Bank_Program bank ("Program Group");
    bank.initialise (true);
    const auto bankChunk = PluginChunks::makeBank (bank, 3);
    const auto programChunk = PluginChunks::makeProgram (bank, -1);
    const auto chunks = root.getChildFile ("fuzz_state_chunks");
    write (chunks, "bank", bankChunk.getData(), bankChunk.getSize());
    write (chunks, "program", programChunk.getData(), programChunk.getSize());

    // --- the machine-wide files, the groups file as the engine writes it among them
    const auto files = root.getChildFile ("fuzz_settings_files");
    const auto settings = SettingsBlock().bytes();
    write (files, "settings", settings.data(), settings.size());
    const auto ports = PortSettings().serialise();
    write (files, "ports", ports.getData(), ports.getSize());
    {
        // A damaged ports file: a long input name that is no UTF-8, read one character per byte.
        Bytes damaged (60000, 0xE9);
        damaged.insert (damaged.end(), { 0x0F, 'o', 'u', 't', 0x10, 0x11, '1', 0x12 });
        write (files, "damaged-ports", damaged);
    }
    write (files, "global-dump", globalDump);
    write (files, "factory", FactoryData::block().data(), FactoryData::block().size());
    {
        std::array<std::unique_ptr<Bank_Program>, GroupsDataFile::numGroups> mirror;
        GroupsDataFile::Groups pointers {};
        for (size_t g = 0; g < mirror.size(); ++g)
        {
            mirror[g] = std::make_unique<Bank_Program> ("Group");
            mirror[g]->loadFactoryGroup ((int) g % FactoryData::numGroups);
            mirror[g]->storeProgram ((int) g, record);
            pointers[g] = mirror[g].get();
        }
        const auto groupsFile = GroupsDataFile::make (pointers);
        write (files, "groups", groupsFile.getData(), groupsFile.getSize());
    }

    // --- the librarian's files, as the worked examples have them
    {
        const auto text = [] (const char* t) { return Bytes (t, t + std::strlen (t)); };
        const auto plus = [] (Bytes a, const Bytes& b) { a.insert (a.end(), b.begin(), b.end()); return a; };
        const Bytes foreign { 0xF0, 0x43, 0x10, 0x01, 0x02, 0xF7 };
        const auto lineBroken = plus (plus (plus (plus (oneDump, text ("\r\n")), oneDump), text ("\n")), oneDump);

        const auto singles = root.getChildFile ("fuzz_single_program");
        write (singles, "program-dump", oneDump);
        write (singles, "edit-buffer-dump", editDump);
        write (singles, "text-first", plus (text ("My lead\n"), oneDump));
        write (singles, "a-whole-group", lineBroken);

        const auto groupFiles = root.getChildFile ("fuzz_program_group");
        write (groupFiles, "three-with-line-breaks", lineBroken);
        std::vector<ProgramSysex::Record> forty (40, record);
        write (groupFiles, "forty", ProgramFile::writeGroup (4, forty));

        const auto libraries = root.getChildFile ("fuzz_library_file");
        const auto library = LibraryFile::write ({ record, ParTable::initialRecord() });
        write (libraries, "two-programs", library.getData(), library.getSize());
        write (libraries, "no-closing-marker", library.getData(), library.getSize() - 13);

        const auto syx = root.getChildFile ("fuzz_syx_file");
        write (syx, "mixed", plus (plus (plus (foreign, editDump), foreign), oneDump));

        const auto presets = root.getChildFile ("fuzz_preset_file");
        write (presets, "preset", programChunk.getData(), programChunk.getSize());
        const auto banks = root.getChildFile ("fuzz_bank_file");
        write (banks, "bank", bankChunk.getData(), bankChunk.getSize());
    }

    // --- the clock: a host playing on at 120 bpm through a loop, then stopping; and a pre-roll
    // from before the song's start at an odd rate and block size
    const auto clock = root.getChildFile ("fuzz_midi_clock");
    {
        // flags: 1 playing, 4 looping, 16 plays on, 32 tempo, 64 loop points, 128 rate and size
        // position 0, tempo 1920 / 16, loop 0 to 16 / 4, 48 kHz, blocks of 4111 - 16 samples
        Bytes playing { 1 | 4 | 32 | 64 | 128, 1, 0, 0, 1, 0x07, 0x80, 1, 0, 0, 1, 0, 16, 1, 1, 0x10, 0x0F };
        for (int block = 0; block < 40; ++block)
            playing.push_back (1 | 4 | 16);
        playing.insert (playing.end(), { 0, 0 });
        write (clock, "loop", playing);

        // position -64 / 64, tempo 120, 21845 × 4 Hz, blocks of 4111 - 16 samples
        Bytes preRoll { 1 | 32 | 128, 2, 0xFF, 0xC0, 1, 0x07, 0x80, 2, 0x55, 0x55, 0x10, 0x0F };
        for (int block = 0; block < 20; ++block)
            preRoll.push_back (1 | 16);
        write (clock, "pre-roll", preRoll);
    }
    return 0;
}
