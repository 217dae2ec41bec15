#include "midi/PortSettings.h"
#include "model/TextBytes.h"

#include <gtest/gtest.h>

// Bytes from a file can be anything: a cut-off UTF-8 sequence must not be read past its end
// (the framework's own decoder would), and names from older files come one byte per character.
TEST (TextBytes, DecodesWhateverTheBytesAre)
{
    const struct { std::vector<uint8_t> bytes; juce::String text; } cases[] = {
        { { 'M', 'I', 'D', 'I' }, "MIDI" },
        { { 'C', 'a', 'f', 0xC3, 0xA9 }, juce::String (juce::CharPointer_UTF8 ("Caf\xc3\xa9")) },
        { { 'C', 'a', 'f', 0xE9 }, juce::String ("Caf") + juce::String::charToString (0xE9) },
        { { 0xF0 }, juce::String::charToString (0xF0) }, // the byte a fuzzer found: a sequence cut off
        { { 'a', 0xE2, 0x82 }, juce::String ("a") + juce::String::charToString (0xE2) + juce::String::charToString (0x82) },
        { { 'a', 0, 0xF4 }, juce::String ("a") + juce::String::charToString (0xF4) },
        { {}, {} },
    };

    for (const auto& c : cases)
        EXPECT_EQ (TextBytes::decode (c.bytes.data(), c.bytes.size()), c.text);
}

TEST (TextBytes, APortsFileWithACutSequenceIsReadWithinItsBytes)
{
    // The input a fuzzer found: a lead byte right before a marker.
    const uint8_t file[] = { 'A', 'B', 0xF0, 0x0F, 0xE2, 0x10, 'x', 0x11, '0', 0x12 };
    PortSettings settings;
    int choice = 0;
    ASSERT_TRUE (PortSettings::parse (file, sizeof (file), settings, choice));
    EXPECT_EQ (settings.input, juce::String ("AB") + juce::String::charToString (0xF0));
    EXPECT_EQ (settings.output, juce::String::charToString (0xE2));
    EXPECT_EQ (settings.third, "x");
}
