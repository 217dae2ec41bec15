// Writes the seed corpora: the worked examples and well-formed messages of every kind, one
// folder per fuzz target under the folder given.
#include "groups/FactoryData.h"
#include "groups/GroupsDataFile.h"
#include "midi/PortSettings.h"
#include "model/DSI_Program.h"
#include "model/ParTable.h"
#include "plugin/PluginChunks.h"
#include "plugin/SettingsBlock.h"

namespace
{
using Bytes = std::vector<uint8_t>;

void write (const juce::File& folder, const juce::String& name, const void* data, size_t size)
{
    folder.createDirectory();
    folder.getChildFile (name).replaceWithData (data, size);
}

void write (const juce::File& folder, const juce::String& name, const Bytes& bytes)
{
    write (folder, name, bytes.data(), bytes.size());
}

/** A MIDI input seed: each message behind the header byte the fuzz target reads (kind, length). */
Bytes midiSeed (std::initializer_list<Bytes> messages, uint8_t kind = 0)
{
    Bytes seed { 1 };
    for (const auto& m : messages)
        for (size_t start = 0; start < m.size(); start += 64)
        {
            const auto length = std::min<size_t> (64, m.size() - start);
            seed.push_back ((uint8_t) ((kind << 6) | (length - 1)));
            seed.insert (seed.end(), m.begin() + (std::ptrdiff_t) start, m.begin() + (std::ptrdiff_t) (start + length));
        }
    return seed;
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

    const auto edit = ProgramSysex::editBufferDump (record);
    const auto dump = ProgramSysex::programDump (3, 17, record);

    const auto midi = root.getChildFile ("fuzz_midi_input");
    write (midi, "nrpn", midiSeed ({ { 0xB0, 99, 0 }, { 0xB0, 98, 17 }, { 0xB0, 6, 0 }, { 0xB0, 38, 64 } }));
    write (midi, "volume-program", midiSeed ({ { 0xB0, 7, 100 }, { 0xB0, 32, 3 }, { 0xC0, 5 }, { 0x90, 60, 100 }, { 0xE0, 0, 64 } }));
    write (midi, "dumps", midiSeed ({ edit, dump, { 0xF0, 0x01, 0x32, 0x0F, 10, 55, 0, 0xF7 } }));
    write (midi, "host", midiSeed ({ { 0xB0, 32, 1 }, { 0xC0, 4 }, { 0x90, 62, 100 } }, 3));

    const auto records = root.getChildFile ("fuzz_program_record");
    write (records, "edit-buffer-dump", edit);
    write (records, "program-dump", dump);
    write (records, "raw", record.data(), record.size());

    Bytes three;
    for (int k = 0; k < 3; ++k)
        three.insert (three.end(), dump.begin(), dump.end());
    write (root.getChildFile ("fuzz_group_dumps"), "three-dumps", three);

    Bank_Program bank ("Program Group");
    bank.initialise (true);
    const auto bankChunk = PluginChunks::makeBank (bank, 3);
    const auto programChunk = PluginChunks::makeProgram (bank, -1);
    const auto chunks = root.getChildFile ("fuzz_state_chunks");
    write (chunks, "bank", bankChunk.getData(), bankChunk.getSize());
    write (chunks, "program", programChunk.getData(), programChunk.getSize());

    const auto files = root.getChildFile ("fuzz_settings_files");
    const auto settings = SettingsBlock().bytes();
    write (files, "settings", settings.data(), settings.size());
    const auto ports = PortSettings().serialise();
    write (files, "ports", ports.getData(), ports.getSize());
    write (files, "global-dump", Bytes { 0xF0, 0x01, 0x32, 0x0F, 10, 55, 0, 0xF7 });
    write (files, "factory", FactoryData::block().data(), FactoryData::block().size());
    return 0;
}
