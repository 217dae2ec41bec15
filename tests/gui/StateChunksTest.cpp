#include "ProcessorRig.h"
#include "model/DSI_Program.h"

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
}

TEST (HostPrograms, FortyProgramsFromThePresetBank)
{
    ProcessorRig rig;
    auto& p = *rig.processor;

    EXPECT_EQ (p.getNumPrograms(), 40);
    EXPECT_EQ (p.getProgramName (0), "Poly Brass");
    EXPECT_EQ (p.getCurrentProgram(), 0) << "a program is chosen the first time the host asks";

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

TEST (StateChunks, TheBankChunk)
{
    ProcessorRig rig;
    auto& p = *rig.processor;
    auto& bank = rig.engine().getPluginBank();

    // Right after construction: the edit buffer becomes program 0.
    juce::MemoryBlock chunk;
    p.getStateInformation (chunk);
    auto bytes = toBytes (chunk);
    ASSERT_EQ (bytes.size(), 5273u);
    EXPECT_EQ (std::string (bytes.begin(), bytes.begin() + 24), "Ph_5MorvexBankVersion100");
    EXPECT_EQ (bank.programRecord (0), ParTable::initialRecord());
    EXPECT_EQ (Bytes (bytes.begin() + 24, bytes.begin() + 152), Bytes (ParTable::initialRecord().begin(), ParTable::initialRecord().end()));
    EXPECT_EQ (Bytes (bytes.begin() + 5144, bytes.begin() + 5272), Bytes (ParTable::initialRecord().begin(), ParTable::initialRecord().end()));
    EXPECT_EQ (bytes.back(), 0);

    bank.storeProgram (12, named ("Twelve", 12));
    p.setCurrentProgram (12);
    p.getStateInformation (chunk);
    bytes = toBytes (chunk);
    EXPECT_EQ (bytes.back(), 12);
    EXPECT_EQ (bytes[5144 + 13], 12);

    // Restored into another instance: all forty, the edit buffer left alone.
    ProcessorRig other;
    other.engine().getPluginBank().setSingleByte (13, 55);
    other.processor->setStateInformation (chunk.getData(), (int) chunk.getSize());
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ (other.engine().getPluginBank().programRecord (i), bank.programRecord (i)) << i;
    EXPECT_EQ (other.engine().getEditBuffer()[13], 55);
    EXPECT_EQ (other.processor->getProgramName (12), "Twelve");
}

TEST (StateChunks, ShortChunksRestoreWholeRecordsOnly)
{
    ProcessorRig source;
    for (int i = 0; i < 40; ++i)
        source.engine().getPluginBank().storeProgram (i, named ("Mine", (uint8_t) (100 + i)));
    source.processor->setCurrentProgram (0);
    juce::MemoryBlock chunk;
    source.processor->getStateInformation (chunk);

    ProcessorRig rig;
    const auto factory = rig.engine().getPluginBank().getGroupData();

    for (int size = 0; size <= (int) chunk.getSize(); ++size)
    {
        rig.engine().getPluginBank().setGroupData (factory.data(), factory.size());
        rig.processor->setStateInformation (chunk.getData(), size);

        const auto whole = size < 24 ? 0 : juce::jmin (40, (size - 24) / 128);
        for (int i : { 0, whole - 1, whole, 39 })
        {
            if (i < 0 || i > 39)
                continue;
            const auto restored = rig.engine().getPluginBank().programRecord (i)[13] == 100 + i;
            ASSERT_EQ (restored, i < whole) << "size " << size << " record " << i;
        }
    }

    // And the program chunk, every length.
    juce::MemoryBlock program;
    source.processor->getCurrentProgramStateInformation (program);
    for (int size = 0; size <= (int) program.getSize(); ++size)
        rig.processor->setCurrentProgramStateInformation (program.getData(), size);
    rig.processor->setStateInformation (nullptr, 100);
    rig.processor->setCurrentProgramStateInformation (nullptr, 156);
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
}
