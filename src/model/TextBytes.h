#pragma once

#include <juce_core/juce_core.h>

/** Text read from a file or the wire, whose bytes may be anything. */
namespace TextBytes
{
/** UTF-8 when the bytes are well-formed UTF-8 without NUL bytes, otherwise one character per
    byte (as older files wrote names). Never reads past `size` bytes. */
juce::String decode (const uint8_t* bytes, size_t size);
}
