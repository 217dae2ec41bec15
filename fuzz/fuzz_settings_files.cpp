// The machine-wide files as a damaged disk may leave them, and the instrument's global dump.
// What is read is what the file holds, by the read rules; written again, it reads back the same.
#include "groups/FactoryData.h"
#include "groups/GroupsDataFile.h"
#include "midi/PortSettings.h"
#include "model/GlobalSettings.h"
#include "plugin/SettingsBlock.h"

#include <cstring>

namespace
{
struct Mirror
{
    Mirror()
    {
        for (size_t g = 0; g < banks.size(); ++g)
        {
            banks[g] = std::make_unique<Bank_Program> ("Group");
            groups[g] = banks[g].get();
        }
    }

    std::array<std::unique_ptr<Bank_Program>, GroupsDataFile::numGroups> banks;
    GroupsDataFile::Groups groups {};
};

bool isRuleByte (int offset)
{
    const auto inInt = [offset] (int start, int ints) { return offset >= start && offset < start + 4 * ints; };
    return offset == SettingsBlock::midiChannelOffset || offset == SettingsBlock::keyVelocityOffset
        || inInt (SettingsBlock::latencyMarkerOffset, 1) || inInt (SettingsBlock::delaysOffset, 6)
        || inInt (SettingsBlock::latencyModeOffset, 1) || inInt (SettingsBlock::seventhDelayOffset, 1);
}

bool hasMarkerCharacter (const juce::String& text)
{
    for (const auto c : text)
        if (c >= 0x0F && c <= 0x12)
            return true;
    return false;
}
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    // --- the settings file: every byte as the file has it, but for what the read rules mend
    const auto settings = SettingsBlock::fromFileBytes (data, size);
    const auto channel = settings.getByte (SettingsBlock::midiChannelOffset);
    if (channel < 1 || channel > 16)
        __builtin_trap();
    const auto bytes = settings.bytes();
    if (size >= (size_t) SettingsBlock::size)
        for (int i = 0; i < SettingsBlock::size; ++i)
            if (! isRuleByte (i) && bytes[(size_t) i] != data[i])
                __builtin_trap();
    if (SettingsBlock::fromFileBytes (bytes.data(), bytes.size()).bytes() != bytes)
        __builtin_trap();

    // --- the ports file: written again, it names the same ports (when no name holds a marker,
    // and the input's is not empty, which the file cannot tell from none)
    PortSettings ports;
    int choice = 0;
    PortSettings::parse (data, size, ports, choice);
    const auto written = ports.serialise();
    PortSettings again;
    int choiceAgain = 0;
    PortSettings::parse (written.getData(), written.getSize(), again, choiceAgain);
    const auto plain = ports.input.isNotEmpty() && ! hasMarkerCharacter (ports.input) && ! hasMarkerCharacter (ports.output)
                    && ! hasMarkerCharacter (ports.third) && ! hasMarkerCharacter (ports.sysexSize);
    if (plain && (again.input != ports.input || again.output != ports.output || again.third != ports.third
                  || again.sysexSize != ports.sysexSize))
        __builtin_trap();

    // --- the groups file: each group the file holds in full, the rest the factory's; written
    // again, exactly that
    Mirror mirror;
    GroupsDataFile::load (data, size, mirror.groups);
    for (int g = 0; g < GroupsDataFile::numGroups; ++g)
    {
        const auto start = (size_t) (GroupsDataFile::markerSize + g * Bank_Program::groupSize);
        const auto fromFile = size >= GroupsDataFile::minimumUsableSize && start + (size_t) Bank_Program::groupSize <= size;
        const auto* expected = fromFile ? data + start : FactoryData::group (g % FactoryData::numGroups);
        const auto got = mirror.banks[(size_t) g]->getGroupData();
        if (got.size() != (size_t) Bank_Program::groupSize || std::memcmp (got.data(), expected, got.size()) != 0)
            __builtin_trap();
    }
    const auto file = GroupsDataFile::make (mirror.groups);
    if (file.getSize() != (size_t) GroupsDataFile::fileSize)
        __builtin_trap();
    Mirror reread;
    GroupsDataFile::load (file.getData(), file.getSize(), reread.groups);
    for (int g = 0; g < GroupsDataFile::numGroups; ++g)
        if (reread.banks[(size_t) g]->getGroupData() != mirror.banks[(size_t) g]->getGroupData())
            __builtin_trap();
    if (GroupsDataFile::make (reread.groups) != file)
        __builtin_trap();

    // --- the instrument's global dump: the payload, never more than the buffer holds
    GlobalSettings::Buffer globals {};
    const auto taken = GlobalSettings::applyGlobalDump (data, size, globals);
    const auto payload = size >= 5 ? std::min<size_t> (size - 5, globals.size()) : 0;
    if (taken != (int) payload || (payload > 0 && std::memcmp (globals.data(), data + 4, payload) != 0))
        __builtin_trap();
    const auto fromGlobals = GlobalSettings::channelFromGlobals (globals, 1);
    if (fromGlobals < 1 || fromGlobals > 16)
        __builtin_trap();
    return 0;
}
