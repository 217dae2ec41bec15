#include "support/EngineTestSupport.h"
#include "groups/FactoryData.h"
#include "groups/GroupsDataFile.h"
#include "plugin/PluginChunks.h"
#include "plugin/SafeFile.h"
#include "plugin/SettingsFolder.h"

#include <cstring>

namespace
{
Bytes settingsFile (std::initializer_list<std::pair<int, uint8_t>> bytes, size_t size = 400)
{
    Bytes file (size, 0);
    for (auto [at, value] : bytes)
        file[(size_t) at] = value;
    return file;
}

bool holdsFactoryGroup (Bank_Program& bank, int f)
{
    const auto& data = bank.getGroupData();
    return data.size() == (size_t) FactoryData::groupSize && std::equal (data.begin(), data.end(), FactoryData::group (f));
}
}

TEST (SettingsFile, ReadRules)
{
    const struct
    {
        const char* what;
        Bytes file;
        int channel, velocity, latencyMode;
        bool defaults;
    } cases[] = {
        { "velocity below 20", settingsFile ({ { 6, 5 }, { 222, 7 } }), 5, 100, 402, false },
        { "channel 0", settingsFile ({ { 6, 0 }, { 222, 64 } }), 1, 64, 402, false },
        { "channel 17", settingsFile ({ { 6, 17 }, { 222, 64 } }), 1, 64, 402, false },
        { "399 bytes: defaults", settingsFile ({ { 6, 9 }, { 222, 64 } }, 399), 1, 100, 402, true },
        { "latency values with their marker", settingsFile ({ { 6, 2 }, { 70, 0x01 }, { 71, 0x4D }, { 175, 12 }, { 198, 0x01 }, { 199, 0x91 } }), 2, 100, 401, false },
    };

    for (const auto& c : cases)
    {
        const auto block = SettingsBlock::fromFileBytes (c.file.data(), c.file.size());
        EXPECT_EQ (block.getByte (SettingsBlock::midiChannelOffset), c.channel) << c.what;
        EXPECT_EQ (block.getByte (SettingsBlock::keyVelocityOffset), c.velocity) << c.what;
        EXPECT_EQ (block.getInt (SettingsBlock::latencyMarkerOffset), 333) << c.what;
        EXPECT_EQ (block.getInt (SettingsBlock::latencyModeOffset), c.latencyMode) << c.what;
        EXPECT_EQ (block.getByte (0) == 255 && block.getByte (3) == 100, c.defaults) << c.what;
    }

    // Without the marker, the latency values are replaced by the defaults.
    auto noMarker = settingsFile ({ { 175, 40 }, { 199, 7 }, { 203, 9 } });
    const auto block = SettingsBlock::fromFileBytes (noMarker.data(), noMarker.size());
    EXPECT_EQ (block.getInt (SettingsBlock::delaysOffset), 0);
    EXPECT_EQ (block.getInt (SettingsBlock::latencyModeOffset), 402);
    EXPECT_EQ (block.getInt (SettingsBlock::seventhDelayOffset), 0);
}

TEST (SettingsFile, BigEndianFields)
{
    SettingsBlock block;
    block.setInt (20, 1000);
    block.setInt (24, -2);
    const auto bytes = block.bytes();
    EXPECT_EQ (Bytes (bytes.begin() + 20, bytes.begin() + 28), (Bytes { 0, 0, 3, 0xE8, 0xFF, 0xFF, 0xFF, 0xFE }));
    EXPECT_EQ (block.getInt (24), -2);
    EXPECT_EQ (block.getInt (398), 0); // would run past the end
    block.setInt (398, 5);
    EXPECT_EQ (block.getByte (399), 0);
    EXPECT_EQ (block.getInt (28), 1000);
}

TEST (SettingsFile, TheEngineKeepsItAcrossRuns)
{
    EngineRig rig;
    {
        auto& engine = rig.start();
        EXPECT_EQ (rig.folder.read (SettingsFolder::settingsFileName).size(), 400u) << "written at once when missing";
        EXPECT_EQ (engine.getMidiChannel(), 1);
        engine.setMidiChannel (10);
        rig.stop();
    }
    EXPECT_EQ (rig.folder.read (SettingsFolder::settingsFileName)[6], 10);

    // A short file gives the defaults and is left alone until the engine ends.
    rig.folder.write (SettingsFolder::settingsFileName, Bytes (399, 9));
    auto& engine = rig.start();
    EXPECT_EQ (engine.getMidiChannel(), 1);
    EXPECT_EQ (rig.folder.read (SettingsFolder::settingsFileName), Bytes (399, 9));
    rig.stop();
    EXPECT_EQ (rig.folder.read (SettingsFolder::settingsFileName).size(), 400u);
}

TEST (GroupsFile, AFreshStartHasTheFactorySetInBothHalves)
{
    EngineRig rig;
    auto& engine = rig.start();
    for (int g = 0; g < 10; ++g)
        EXPECT_TRUE (holdsFactoryGroup (engine.getInstrumentBank (g), g % 5)) << "group " << g;

    EXPECT_EQ (engine.getInstrumentBank (0).getBankName(), "User Bank 0");
    EXPECT_EQ (engine.getInstrumentBank (9).getBankName(), "Factory Bank 9");
    EXPECT_TRUE (holdsFactoryGroup (engine.getPluginBank(), 0));
    EXPECT_EQ (engine.getPluginBank().single(), ParTable::initialRecord());

    rig.stop();
    const auto file = rig.folder.read (SettingsFolder::groupsFileName);
    ASSERT_EQ (file.size(), 51226u);
    EXPECT_EQ (std::string (file.begin(), file.begin() + 13), "Proph12 Data>");
    EXPECT_EQ (std::string (file.end() - 13, file.end()), "<Proph12 Data");
}

TEST (GroupsFile, TenModifiedGroupsComeBack)
{
    EngineRig rig;
    {
        auto& engine = rig.start();
        for (int g = 0; g < 10; ++g)
        {
            auto record = ParTable::initialRecord();
            record[0] = (uint8_t) g;
            record[1] = 77;
            engine.getInstrumentBank (g).storeProgram (39 - g, record);
        }
        rig.stop();
    }

    auto& engine = rig.start();
    for (int g = 0; g < 10; ++g)
    {
        const auto record = engine.getInstrumentBank (g).programRecord (39 - g);
        EXPECT_EQ (record[0], g);
        EXPECT_EQ (record[1], 77);
        EXPECT_EQ (engine.getInstrumentBank (g).numRecords(), 40);
    }
}

TEST (GroupsFile, ShortOrDamagedFilesKeepWhatTheyCannotHoldAsFactoryData)
{
    std::array<std::unique_ptr<Bank_Program>, 10> banks;
    GroupsDataFile::Groups groups {};
    for (int g = 0; g < 10; ++g)
    {
        banks[(size_t) g] = std::make_unique<Bank_Program> ("Group");
        groups[(size_t) g] = banks[(size_t) g].get();
    }

    const struct { size_t size; int groupsFromFile; } cases[] = {
        { 0, 0 }, { 1000, 0 }, { 1001, 0 }, { 13 + 5120, 1 }, { 13 + 3 * 5120 + 100, 3 }, { 51212, 9 }, { 51213, 10 },
        { 51226, 10 }, { 60000, 10 },
    };

    for (const auto& c : cases)
    {
        const Bytes file (c.size, 0x11);
        GroupsDataFile::load (file.data(), file.size(), groups);

        for (int g = 0; g < 10; ++g)
        {
            if (g < c.groupsFromFile)
                EXPECT_EQ (banks[(size_t) g]->getGroupData(), Bytes (5120, 0x11)) << c.size << " bytes, group " << g;
            else
                EXPECT_TRUE (holdsFactoryGroup (*banks[(size_t) g], g % 5)) << c.size << " bytes, group " << g;
        }
    }

    // A group that grew past 40 records is written as 40, so the layout holds.
    banks[3]->loadFactoryGroup (0);
    banks[3]->storeProgram (45, ParTable::initialRecord());
    EXPECT_EQ (GroupsDataFile::make (groups).getSize(), 51226u);
}

TEST (SafeFile, AFailedWriteLeavesThePreviousFileIntact)
{
    ScratchFolder folder;
    const auto target = folder.file ("p5plugst.dat");
    ASSERT_TRUE (SafeFile::replaceWith (target, "old content", 11));

    // The writer gives up half-way, as a full disk would make it.
    const auto ok = SafeFile::replace (target, [] (juce::OutputStream& out)
    {
        out.write ("new con", 7);
        return false;
    });

    EXPECT_FALSE (ok);
    EXPECT_EQ (target.loadFileAsString(), "old content");
    EXPECT_EQ (folder.folder.getNumberOfChildFiles (juce::File::findFiles, "*"), 1) << "no temporary file left behind";

    EXPECT_TRUE (SafeFile::replaceWith (target, "new content", 11));
    EXPECT_EQ (target.loadFileAsString(), "new content");

    // A folder that does not exist yet is made.
    const auto nested = folder.folder.getChildFile ("a").getChildFile ("b.dat");
    EXPECT_TRUE (SafeFile::replaceWith (nested, "x", 1));
    EXPECT_EQ (nested.getSize(), 1);
}

TEST (SafeFile, AWriteOfWhatTheFileHoldsLeavesItUntouched)
{
    ScratchFolder folder;
    const auto target = folder.file ("Ph5_data.dat");
    ASSERT_TRUE (SafeFile::replaceWith (target, "same content", 12));
    const auto longAgo = juce::Time (2001, 0, 1, 0, 0);
    ASSERT_TRUE (target.setLastModificationTime (longAgo));

    const struct { const char* bytes; bool written; } cases[] = {
        { "same content", false },
        { "same contenT", true },  // the same size, one byte different
        { "shorter", true },
    };
    for (const auto& c : cases)
    {
        ASSERT_TRUE (target.setLastModificationTime (longAgo));
        EXPECT_TRUE (SafeFile::replaceIfChanged (target, c.bytes, std::strlen (c.bytes))) << c.bytes;
        EXPECT_EQ (target.loadFileAsString(), c.bytes);
        EXPECT_EQ (target.getLastModificationTime() != longAgo, c.written) << c.bytes;
    }

    // a missing file is written
    const auto missing = folder.file ("prophet5plports.dat");
    EXPECT_TRUE (SafeFile::replaceIfChanged (missing, "x", 1));
    EXPECT_EQ (missing.loadFileAsString(), "x");
}

TEST (SettingsFolder, LivesInTheUsersApplicationData)
{
    EXPECT_EQ (SettingsFolder::folder().getFileName(), "PluginSettings");
    EXPECT_EQ (SettingsFolder::folder().getParentDirectory(),
               juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory));
}

// The host's chunk recalls the sound; a preset-bank file of the same layout brings presets only.
TEST (PluginChunks, ARecallAndAPresetBankFileReadTheSameBytesDifferently)
{
    Bank_Program source ("Program Group");
    source.initialise (true);
    auto edited = source.programRecord (6);
    edited[17] = 3;
    source.setSingle (edited);
    const auto chunk = PluginChunks::makeBank (source, 6);
    ASSERT_EQ (chunk.getSize(), (size_t) PluginChunks::bankChunkSize);

    Bank_Program recalled ("Program Group"), loaded ("Program Group");
    recalled.initialise (false);
    loaded.initialise (false);
    const auto before = loaded.single();

    const auto recall = PluginChunks::restoreBank (chunk.getData(), chunk.getSize(), recalled);
    EXPECT_EQ (recall.presetsRestored, 40);
    EXPECT_EQ (recall.editBuffer, edited);
    EXPECT_EQ (recall.currentPreset, 6);
    EXPECT_EQ (recalled.single(), before) << "the caller takes the edit buffer";

    EXPECT_EQ (PluginChunks::restorePresets (chunk.getData(), chunk.getSize(), loaded), 40);
    EXPECT_EQ (loaded.single(), before);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ (loaded.programRecord (i), source.programRecord (i)) << i;

    // None current is 255, and any byte beyond the presets reads as none.
    auto bytes = Bytes (static_cast<const uint8_t*> (chunk.getData()), static_cast<const uint8_t*> (chunk.getData()) + chunk.getSize());
    for (const uint8_t last : { (uint8_t) 255, (uint8_t) 40, (uint8_t) 200 })
    {
        bytes.back() = last;
        EXPECT_EQ (PluginChunks::restoreBank (bytes.data(), bytes.size(), recalled).currentPreset, -1) << (int) last;
    }
    EXPECT_EQ (Bytes (1, static_cast<const uint8_t*> (PluginChunks::makeBank (source, -1).getData())[PluginChunks::currentPresetOffset]),
               Bytes (1, 255));
}
