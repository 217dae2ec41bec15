#pragma once

#include <juce_core/juce_core.h>

/** Display texts of parameter values and program categories. */
namespace ValueFormat
{
enum Code
{
    plain = 0,
    offOn = 12,
    pitch = 13,
    voiceCount = 20,
    signedOffset = 21,
    offHalfFull = 70
};

constexpr int numCategories = 20;

/** The text of value v in the given display format. An unknown format shows the plain number. */
juce::String formatValue (int displayFormat, int v);

/** Oscillator pitch: two values per note, the second marked "+"; 96 and above read "C4". */
juce::String pitchNoteName (int v);

// The category of a program (byte 93 of its record); "*/*" for an unknown index.
juce::String categoryName (int index);
}
