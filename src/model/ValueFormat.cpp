#include "model/ValueFormat.h"

namespace ValueFormat
{
namespace
{
const juce::String unknown ("*/*");
}

juce::String pitchNoteName (int v)
{
    static const char* const letters[] = { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B" };

    const auto w = juce::jlimit (0, 96, v);
    const auto step = w % 24;
    return juce::String (letters[step / 2]) + juce::String (w / 24) + (step % 2 != 0 ? "+" : "");
}

juce::String formatValue (int displayFormat, int v)
{
    switch (displayFormat)
    {
        case offOn:
            return v == 0 ? "OFF" : "ON";

        case pitch:
            return pitchNoteName (v);

        case voiceCount:
            if (v == 0)                 return "1 Voice";
            if (v >= 1 && v <= 5)       return juce::String (v + 1) + " Voices";
            if (v == 6)                 return "Chord";
            return unknown;

        case signedOffset:
            return juce::String (v - 60);

        case offHalfFull:
            switch (v)
            {
                case 0:  return "OFF";
                case 1:  return "HALF";
                case 2:  return "FULL";
                default: return unknown;
            }

        case plain:
        default:
            return juce::String (v);
    }
}

juce::String categoryName (int index)
{
    static const char* const names[numCategories] = {
        "- Not Assigned -", "Keys", "Synth", "Pads", "Organs", "Strings", "Lead", "Sync", "Bass", "Bright Bass",
        "Sub Bass", "Vox", "Brass", "Harmonics", "Percussion", "Sound FX", "User 1", "User 2", "User 3", "User 4" };

    return juce::isPositiveAndBelow (index, numCategories) ? juce::String (names[index]) : unknown;
}
}
