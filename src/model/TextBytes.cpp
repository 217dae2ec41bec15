#include "model/TextBytes.h"

namespace TextBytes
{
namespace
{
bool isStrictUtf8 (const uint8_t* bytes, size_t size) noexcept
{
    for (size_t i = 0; i < size;)
    {
        const auto lead = bytes[i];
        if (lead == 0)
            return false;

        // Only the shortest form of a character up to U+10FFFF and no surrogate: the framework
        // keeps other forms as they are but counts them by the characters they decode to, so a
        // name holding one would lose bytes when it is written out again.
        size_t extra = 0;
        if (lead >= 0xC2 && lead <= 0xDF)
            extra = 1;
        else if (lead >= 0xE0 && lead <= 0xEF)
            extra = 2;
        else if (lead >= 0xF0 && lead <= 0xF4)
            extra = 3;
        else if (lead >= 0x80)
            return false; // a continuation byte, or a lead that starts no shortest form

        // The byte after the lead: shorter forms start lower, surrogates and beyond U+10FFFF higher.
        const int lowest = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        const int highest = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;

        if (i + extra >= size) // a sequence must end within the bytes given
            return false;

        if (extra > 0 && (bytes[i + 1] < lowest || bytes[i + 1] > highest))
            return false;
        for (size_t k = 2; k <= extra; ++k)
            if ((bytes[i + k] & 0xC0) != 0x80)
                return false;

        i += extra + 1;
    }
    return true;
}
}

juce::String decode (const uint8_t* bytes, size_t size)
{
    if (bytes == nullptr || size == 0)
        return {};

    if (isStrictUtf8 (bytes, size))
        return juce::String::fromUTF8 (reinterpret_cast<const char*> (bytes), (int) size);

    // Gathered first and made into text once: appending a character at a time measures the
    // text's length each time, so a long damaged file took time growing with its square to read.
    std::vector<juce::juce_wchar> characters;
    characters.reserve (size + 1);
    for (size_t i = 0; i < size; ++i)
        if (bytes[i] != 0)
            characters.push_back ((juce::juce_wchar) bytes[i]);
    characters.push_back (0);
    return juce::String (juce::CharPointer_UTF32 (characters.data()));
}
}
