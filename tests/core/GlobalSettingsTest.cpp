#include "model/GlobalSettings.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
std::vector<uint8_t> globalDump (std::vector<uint8_t> payload)
{
    std::vector<uint8_t> message (payload.size() + 5);
    const uint8_t header[] = { 0xF0, 0x01, 0x32, 0x0F };
    std::copy (std::begin (header), std::end (header), message.begin());
    std::copy (payload.begin(), payload.end(), message.begin() + 4);
    message.back() = 0xF7;
    return message;
}
}

TEST (GlobalSettings, DumpFillsTheBufferFromItsPayload)
{
    GlobalSettings::Buffer buffer {};
    buffer.fill (0x33);

    const auto message = globalDump ({ 10, 55, 0 });
    EXPECT_EQ (GlobalSettings::applyGlobalDump (message.data(), message.size(), buffer), 3);
    EXPECT_EQ (GlobalSettings::valueText (0, buffer[0]), "-2");
    EXPECT_EQ (GlobalSettings::valueText (1, buffer[1]), "5");
    EXPECT_EQ (GlobalSettings::valueText (2, buffer[2]), "All Channels");
    EXPECT_EQ (GlobalSettings::channelFromGlobals (buffer, 7), 1);
    EXPECT_EQ (buffer[3], 0x33);
}

TEST (GlobalSettings, DumpNeverWritesPastTheBuffer)
{
    // The buffer sits in a larger block: nothing beyond its 100 bytes may change.
    struct { GlobalSettings::Buffer buffer; uint8_t guard[64]; } memory {};
    std::fill (std::begin (memory.guard), std::end (memory.guard), 0xAB);

    std::vector<uint8_t> payload (300);
    for (size_t i = 0; i < payload.size(); ++i)
        payload[i] = (uint8_t) (i & 0x7F);

    const auto longDump = globalDump (payload);
    EXPECT_EQ (GlobalSettings::applyGlobalDump (longDump.data(), longDump.size(), memory.buffer), 100);
    EXPECT_EQ (memory.buffer[99], 99);
    for (auto g : memory.guard)
        EXPECT_EQ (g, 0xAB);

    const auto empty = globalDump ({});
    EXPECT_EQ (GlobalSettings::applyGlobalDump (empty.data(), empty.size(), memory.buffer), 0);
    EXPECT_EQ (memory.buffer[0], 0);

    for (size_t size : { 0u, 1u, 4u })
        EXPECT_EQ (GlobalSettings::applyGlobalDump (longDump.data(), size, memory.buffer), 0);
    EXPECT_EQ (GlobalSettings::applyGlobalDump (nullptr, 50, memory.buffer), 0);
}

TEST (GlobalSettings, ChannelRule)
{
    const struct { int global2, current, expected; } cases[] = {
        { 0, 9, 1 }, { 1, 9, 1 }, { 5, 9, 5 }, { 16, 9, 16 }, { 17, 9, 9 }, { 127, 3, 3 },
    };

    for (const auto& c : cases)
    {
        GlobalSettings::Buffer buffer {};
        buffer[2] = (uint8_t) c.global2;
        EXPECT_EQ (GlobalSettings::channelFromGlobals (buffer, c.current), c.expected) << c.global2;
    }
}

TEST (GlobalSettings, TableAndValueTexts)
{
    std::set<int> nrpns;
    for (int k = 0; k < GlobalSettings::numGlobals; ++k)
    {
        const auto& g = GlobalSettings::global (k);
        EXPECT_TRUE (juce::String (g.label).isNotEmpty()) << k;
        EXPECT_TRUE (nrpns.insert (g.nrpn).second) << k;
        EXPECT_NE (GlobalSettings::valueText (k, g.maximum), "*/*") << k;
        EXPECT_EQ (GlobalSettings::valueText (k, g.maximum + 1), "*/*") << k;
    }
    EXPECT_EQ (nrpns, (std::set<int> { 1024, 1025, 1026, 1027, 1028, 1029, 1030, 1031, 1032, 1033,
                                       1035, 1037, 1039, 1040, 1041, 1042, 1043, 1044 }));
    EXPECT_EQ (GlobalSettings::global (18).maximum, 0);
    EXPECT_EQ (GlobalSettings::global (-1).maximum, 0);

    const struct { int k, v; const char* text; } cases[] = {
        { 0, 0, "-12" }, { 0, 24, "12" }, { 1, 100, "50" }, { 2, 1, "Channel 1" }, { 2, 16, "Channel 16" },
        { 3, 2, "Slave" }, { 4, 0, "MIDI port" }, { 6, 2, "NRPN" }, { 7, 1, "ON" }, { 9, 2, "MIDI/USB" },
        { 11, 3, "Trigger+Gate" }, { 12, 1, "PassThru" }, { 13, 3, "Sus C/Seq O" }, { 14, 0, "Curve 1" },
        { 15, 3, "Curve 4" }, { 16, 1, "Mono" }, { 17, 0, "Equal Temperam." }, { 17, 16, "Arabian C" },
        { 3, -1, "*/*" },
    };
    for (const auto& c : cases)
        EXPECT_EQ (GlobalSettings::valueText (c.k, c.v), c.text) << c.k << " = " << c.v;

    EXPECT_EQ (GlobalSettings::tuningNames().size(), 17);
}
