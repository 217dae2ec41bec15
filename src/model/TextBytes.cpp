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

        const size_t extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : 4;
        if (extra > 3 || i + extra >= size) // a sequence must end within the bytes given
            return false;

        for (size_t k = 1; k <= extra; ++k)
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
