// The machine-wide files as a damaged disk may leave them, and the instrument's global dump.
#include "groups/GroupsDataFile.h"
#include "midi/PortSettings.h"
#include "model/GlobalSettings.h"
#include "plugin/SettingsBlock.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const auto settings = SettingsBlock::fromFileBytes (data, size);
    const auto channel = settings.getByte (SettingsBlock::midiChannelOffset);
    if (channel < 1 || channel > 16)
        __builtin_trap();

    PortSettings ports;
    int choice = 0;
    PortSettings::parse (data, size, ports, choice);
    ports.serialise();

    std::array<std::unique_ptr<Bank_Program>, GroupsDataFile::numGroups> banks;
    GroupsDataFile::Groups groups {};
    for (size_t g = 0; g < banks.size(); ++g)
    {
        banks[g] = std::make_unique<Bank_Program> ("Group");
        groups[g] = banks[g].get();
    }
    GroupsDataFile::load (data, size, groups);
    GroupsDataFile::make (groups);

    GlobalSettings::Buffer globals {};
    GlobalSettings::applyGlobalDump (data, size, globals);
    GlobalSettings::channelFromGlobals (globals, 1);
    return 0;
}
