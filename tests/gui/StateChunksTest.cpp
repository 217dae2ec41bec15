#include "ProcessorRig.h"
#include "model/DSI_Program.h"
#include "plugin/PluginChunks.h"

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations") // the legacy parameter interface

namespace
{
ProgramSysex::Record named (const char* name, uint8_t mark)
{
    DSI_Program program;
    program.setName (name);
    auto record = program.getData();
    record[13] = mark;
    return record;
}

Bytes toBytes (const juce::MemoryBlock& block)
{
    const auto* data = static_cast<const uint8_t*> (block.getData());
    return Bytes (data, data + block.getSize());
}

Bytes recordBytes (const ProgramSysex::Record& record) { return Bytes (record.begin(), record.end()); }

juce::MemoryBlock stateOf (MorvexAudioProcessor& p)
{
    juce::MemoryBlock chunk;
    p.getStateInformation (chunk);
    return chunk;
}

void restore (MorvexAudioProcessor& p, const juce::MemoryBlock& chunk)
{
    p.setStateInformation (chunk.getData(), (int) chunk.getSize());
}

/** The host has finished restoring: the recall settles. */
void settle (ProcessorRig& rig)
{
    auto& sync = rig.engine().getInstrumentSync();
    const auto now = juce::Time::getMillisecondCounterHiRes();
    sync.poll (now);
    sync.poll (now + InstrumentSync::recallSettleMs);
}

/** A value for host parameter h that differs from its initial one and survives the rounding. */
float valueFor (MorvexAudioProcessor& p, int h, int seed)
{
    const auto maximum = p.getEngine().getParTable().getMaximum (p.getEngine().getParTable().getParamOfHost (h));
    const auto steps = (int) maximum;
    return (float) ((h * 7 + seed) % (steps + 1)) / maximum;
}
}

TEST (HostPrograms, FortyProgramsFromThePresetBank)
{
    ProcessorRig rig;
    auto& p = *rig.processor;

    EXPECT_EQ (p.getNumPrograms(), 40);
    EXPECT_EQ (p.getProgramName (0), "Poly Brass");
    EXPECT_EQ (p.getCurrentProgram(), 0) << "none current reads as the first";
    EXPECT_EQ (rig.engine().getCurrentPluginProgram(), -1) << "asking makes no preset current";

    rig.engine().getPluginBank().storeProgram (7, named ("Seven", 7));
    rig.events();
    p.setCurrentProgram (7);
    EXPECT_EQ (p.getCurrentProgram(), 7);
    EXPECT_EQ (rig.engine().getEditBuffer()[13], 7);
    EXPECT_EQ (rig.events(), (std::vector<int32_t> { StateEvent::editBufferChanged, StateEvent::hostProgramChanged }));

    // A program that does not exist changes nothing.
    for (int i : { -1, 40, 1000 })
        p.setCurrentProgram (i);
    EXPECT_EQ (p.getCurrentProgram(), 7);
    EXPECT_EQ (rig.engine().getEditBuffer()[13], 7);

    // Renaming the current program keeps what is being edited.
    rig.engine().getPluginBank().setSingleByte (13, 99);
    p.changeProgramName (7, "Renamed");
    EXPECT_EQ (p.getProgramName (7), "Renamed");
    EXPECT_EQ (rig.engine().getPluginBank().singleName().trimEnd(), "Renamed");
    EXPECT_EQ (rig.engine().getEditBuffer()[13], 99);

    p.changeProgramName (8, "Other");
    EXPECT_EQ (rig.engine().getPluginBank().singleName().trimEnd(), "Renamed");
}

TEST (StateChunks, TheBankChunkHoldsThePresetsAndTheSoundAsItIs)
{
    ProcessorRig rig;
    auto& p = *rig.processor;
    auto& bank = rig.engine().getPluginBank();
    const auto polyBrass = bank.programRecord (0);

    // None current: the edit buffer and 255; saving changes nothing, preset 1 above all.
    bank.setSingleByte (17, 90);
    auto bytes = toBytes (stateOf (p));
    ASSERT_EQ (bytes.size(), 5273u);
    EXPECT_EQ (std::string (bytes.begin(), bytes.begin() + 24), "Ph_5MorvexBankVersion100");
    EXPECT_EQ (Bytes (bytes.begin() + 24, bytes.begin() + 152), recordBytes (polyBrass));
    EXPECT_EQ (Bytes (bytes.begin() + 5144, bytes.begin() + 5272), recordBytes (rig.engine().getEditBuffer()));
    EXPECT_EQ (bytes.back(), 255);
    EXPECT_EQ (bank.programRecord (0), polyBrass);
    EXPECT_EQ (rig.engine().getCurrentPluginProgram(), -1);

    // A preset current and edited: its number, and the edits beside the stored preset.
    bank.storeProgram (12, named ("Twelve", 12));
    p.setCurrentProgram (12);
    bank.setSingleByte (13, 55);
    bytes = toBytes (stateOf (p));
    EXPECT_EQ (bytes.back(), 12);
    EXPECT_EQ (bytes[5144 + 13], 55);
    EXPECT_EQ (bytes[24 + 12 * 128 + 13], 12);
    EXPECT_EQ (bank.programRecord (12)[13], 12) << "saving stores nothing into the preset";
}

TEST (StateChunks, EveryParameterComesBackWithAPresetCurrentAndWithNone)
{
    for (const auto preset : { -1, 5 })
    {
        SCOPED_TRACE (preset);
        ProcessorRig rig;
        auto& p = *rig.processor;
        if (preset >= 0)
            p.setCurrentProgram (preset);

        std::array<float, 59> saved {};
        for (int h = 0; h < 59; ++h)
        {
            p.setParameter (h, valueFor (p, h, 3));
            saved[(size_t) h] = p.getParameter (h);
        }
        const auto chunk = stateOf (p);

        // The user moves everything, then reopens the project.
        for (int h = 0; h < 59; ++h)
            p.setParameter (h, valueFor (p, h, 4));
        restore (p, chunk);

        for (int h = 0; h < 59; ++h)
            EXPECT_EQ (p.getParameter (h), saved[(size_t) h]) << p.getParameterName (h);
        EXPECT_EQ (rig.engine().getCurrentPluginProgram(), preset);

        // And into a new instance, as a host reopens a project.
        ProcessorRig other;
        restore (*other.processor, chunk);
        for (int h = 0; h < 59; ++h)
            EXPECT_EQ (other.processor->getParameter (h), saved[(size_t) h]) << p.getParameterName (h);
        EXPECT_EQ (other.engine().getCurrentPluginProgram(), preset);
    }
}

TEST (StateChunks, TheHostSelectingTheRestoredPresetKeepsTheRecalledSound)
{
    ProcessorRig source;
    source.processor->setCurrentProgram (3);
    source.engine().getPluginBank().setSingleByte (17, 77); // an edit not stored in preset 4
    const auto withPreset = stateOf (*source.processor);
    const auto recalled = source.engine().getEditBuffer();

    ProcessorRig fresh;
    fresh.engine().getPluginBank().setSingleByte (17, 66);
    const auto withNone = stateOf (*fresh.processor);
    const auto recalledNone = fresh.engine().getEditBuffer();

    struct Case { const char* order; const juce::MemoryBlock* chunk; int select; ProgramSysex::Record expected; int current; };
    const Case cases[] = {
        { "select, then restore", &withPreset, 3, recalled, 3 },
        { "restore, then select", &withPreset, 3, recalled, 3 },
        { "restore, then select", &withNone, 0, recalledNone, -1 }, // the host saved the 0 it was told
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.order) + ", preset " + juce::String (c.select));
        ProcessorRig rig;
        auto& p = *rig.processor;
        const auto before = juce::String (c.order).startsWith ("select");
        if (before)
            p.setCurrentProgram (c.select);
        restore (p, *c.chunk);
        if (! before)
            p.setCurrentProgram (c.select);

        EXPECT_EQ (rig.engine().getEditBuffer(), c.expected);
        EXPECT_EQ (rig.engine().getCurrentPluginProgram(), c.current);

        // Later, the user's own pick of that preset loads it as stored.
        settle (rig);
        p.setCurrentProgram (c.select);
        EXPECT_EQ (rig.engine().getEditBuffer(), rig.engine().getPluginBank().programRecord (c.select));
    }

    // Another preset chosen while the host is still restoring is the user's choice.
    ProcessorRig rig;
    restore (*rig.processor, withPreset);
    rig.processor->setCurrentProgram (9);
    EXPECT_EQ (rig.engine().getEditBuffer(), rig.engine().getPluginBank().programRecord (9));
}

TEST (StateChunks, AChunkOfAnEarlierVersionRecallsItsStoredPreset)
{
    ProcessorRig source;
    auto& bank = source.engine().getPluginBank();
    bank.storeProgram (12, named ("Twelve", 12));

    // Earlier versions wrote the current preset's stored record where the edit buffer now goes.
    auto bytes = toBytes (stateOf (*source.processor));
    const auto stored = bank.programRecord (12);
    std::copy (stored.begin(), stored.end(), bytes.begin() + 5144);
    bytes.back() = 12;

    ProcessorRig rig;
    rig.processor->setStateInformation (bytes.data(), (int) bytes.size());
    EXPECT_EQ (rig.engine().getEditBuffer(), stored);
    EXPECT_EQ (rig.engine().getCurrentPluginProgram(), 12);
    EXPECT_EQ (rig.processor->getProgramName (12), "Twelve");
}

TEST (StateChunks, APresetBankFileReplacesThePresetsOnly)
{
    ProcessorRig source (false);
    source.engine().getPluginBank().storeProgram (11, named ("From File", 11));
    source.processor->setCurrentProgram (6);
    source.engine().getPluginBank().setSingleByte (13, 88);
    const auto file = stateOf (*source.processor);

    ProcessorRig rig (false);
    rig.processor->setCurrentProgram (2);
    rig.engine().getPluginBank().setSingleByte (13, 44);
    const auto replaced = rig.engine().getInstrumentSync().replacementCount();
    rig.events();

    EXPECT_TRUE (rig.processor->loadPresetBank (file.getData(), file.getSize()).wasOk());
    EXPECT_EQ (rig.processor->getProgramName (11), "From File");
    EXPECT_EQ (rig.engine().getEditBuffer()[13], 44) << "the sound being edited stays";
    EXPECT_EQ (rig.engine().getCurrentPluginProgram(), 2);
    EXPECT_EQ (rig.engine().getInstrumentSync().replacementCount(), replaced);
    EXPECT_EQ (rig.events(), (std::vector<int32_t> { StateEvent::hostProgramChanged }));

    // A file too short for the 40 presets changes none of them, and says why.
    for (const size_t size : { (size_t) 0, (size_t) 100, (size_t) 5143 })
    {
        const auto refused = rig.processor->loadPresetBank (file.getData(), size);
        EXPECT_TRUE (refused.failed()) << size;
        EXPECT_TRUE (refused.getErrorMessage().contains (juce::String ((int) size) + " bytes")) << refused.getErrorMessage();
    }
    rig.engine().getPluginBank().storeProgram (0, named ("Kept", 1));
    EXPECT_TRUE (rig.processor->loadPresetBank (file.getData(), 5143).failed());
    EXPECT_EQ (rig.processor->getProgramName (0), "Kept");
}

TEST (StateChunks, ShortChunksRestoreWholeRecordsOnly)
{
    ProcessorRig source;
    for (int i = 0; i < 40; ++i)
        source.engine().getPluginBank().storeProgram (i, named ("Mine", (uint8_t) (100 + i)));
    source.processor->setCurrentProgram (6);
    source.engine().getPluginBank().setSingleByte (13, 99);
    const auto chunk = stateOf (*source.processor);

    ProcessorRig rig;
    const auto factory = rig.engine().getPluginBank().getGroupData();
    const auto initial = rig.engine().getEditBuffer();

    for (int size = 0; size <= (int) chunk.getSize(); ++size)
    {
        rig.engine().getPluginBank().setGroupData (factory.data(), factory.size());
        rig.engine().getPluginBank().setSingle (initial);
        rig.engine().setCurrentPluginProgram (-1);
        rig.processor->setStateInformation (chunk.getData(), size);

        const auto whole = size < 24 ? 0 : juce::jmin (40, (size - 24) / 128);
        for (int i : { 0, whole - 1, whole, 39 })
        {
            if (i < 0 || i > 39)
                continue;
            const auto restored = rig.engine().getPluginBank().programRecord (i)[13] == 100 + i;
            ASSERT_EQ (restored, i < whole) << "size " << size << " record " << i;
        }
        ASSERT_EQ (rig.engine().getEditBuffer()[13] == 99, size >= 5272) << "size " << size;
        ASSERT_EQ (rig.engine().getCurrentPluginProgram(), size >= 5273 ? 6 : -1) << "size " << size;
    }

    // And the program chunk, every length: only the whole one changes the sound.
    juce::MemoryBlock program;
    source.processor->getCurrentProgramStateInformation (program);
    rig.engine().getPluginBank().setSingle (initial);
    rig.engine().setCurrentPluginProgram (-1);
    for (int size = 0; size <= (int) program.getSize(); ++size)
    {
        rig.processor->setCurrentProgramStateInformation (program.getData(), size);
        ASSERT_EQ (rig.engine().getEditBuffer()[13] == 99, size == (int) program.getSize()) << "size " << size;
    }
    const auto whole = rig.engine().getEditBuffer();
    rig.processor->setStateInformation (nullptr, 100);
    rig.processor->setCurrentProgramStateInformation (nullptr, 156);
    EXPECT_EQ (rig.engine().getEditBuffer(), whole) << "no data, no change";
}

TEST (StateChunks, TheProgramChunk)
{
    ProcessorRig rig;
    auto& p = *rig.processor;
    p.setCurrentProgram (3);
    rig.engine().getPluginBank().setSingleByte (13, 42);

    juce::MemoryBlock chunk;
    p.getCurrentProgramStateInformation (chunk);
    const auto bytes = toBytes (chunk);
    ASSERT_EQ (bytes.size(), 156u);
    EXPECT_EQ (std::string (bytes.begin(), bytes.begin() + 28), "Ph_5MorvexSettingsVersion100");
    EXPECT_EQ (bytes[28 + 13], 42);
    EXPECT_EQ (rig.engine().getPluginBank().programRecord (3)[13], 42) << "making it stores the edit buffer";

    ProcessorRig other;
    other.processor->setCurrentProgram (5);
    other.events();
    other.processor->setCurrentProgramStateInformation (chunk.getData(), (int) chunk.getSize());
    EXPECT_EQ (other.engine().getEditBuffer()[13], 42);
    EXPECT_EQ (other.engine().getPluginBank().programRecord (5)[13], 42);
    EXPECT_EQ (other.events(), (std::vector<int32_t> { StateEvent::editBufferChanged }));

    // With no preset current, making or loading one touches no preset: preset 1 stays itself.
    ProcessorRig none;
    const auto polyBrass = none.engine().getPluginBank().programRecord (0);
    none.engine().getPluginBank().setSingleByte (13, 17);
    none.processor->getCurrentProgramStateInformation (chunk);
    EXPECT_EQ (toBytes (chunk)[28 + 13], 17);
    none.processor->setCurrentProgramStateInformation (bytes.data(), (int) bytes.size());
    EXPECT_EQ (none.engine().getEditBuffer()[13], 42);
    EXPECT_EQ (none.engine().getPluginBank().programRecord (0), polyBrass);
    EXPECT_EQ (none.engine().getCurrentPluginProgram(), -1);
}

TEST (StateChunks, PresetFilesAreTheChunksAndShortOnesAreRefused)
{
    ProcessorRig source (false);
    source.engine().getPluginBank().storeProgram (4, named ("Four", 4));
    source.processor->setCurrentProgram (4);
    EXPECT_EQ (toBytes (source.processor->presetFile()), toBytes ([&] { juce::MemoryBlock c; source.processor->getCurrentProgramStateInformation (c); return c; }()));
    EXPECT_EQ (source.processor->presetBankFile().getSize(), 5273u);
    const auto preset = source.processor->presetFile();
    ASSERT_EQ (preset.getSize(), 156u);

    ProcessorRig rig (false);
    const auto before = rig.engine().getEditBuffer();
    for (const size_t size : { (size_t) 0, (size_t) 28, (size_t) 155 })
    {
        const auto refused = rig.processor->loadPresetFile (preset.getData(), size);
        EXPECT_TRUE (refused.failed()) << size;
        EXPECT_TRUE (refused.getErrorMessage().contains (juce::String ((int) size) + " bytes")) << refused.getErrorMessage();
    }
    EXPECT_EQ (rig.engine().getEditBuffer(), before);

    // Anything after the preset's 156 bytes is not read.
    auto longer = preset;
    longer.append ("trailing", 8);
    EXPECT_TRUE (rig.processor->loadPresetFile (longer.getData(), longer.getSize()).wasOk());
    EXPECT_EQ (rig.engine().getEditBuffer(), named ("Four", 4));
}
