#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The six images the front panel's controls share: the knob film strip (3655 × 55), three knob
    caps (80 × 80), the envelope background (202 × 76) and the edit mark (14 × 14). Kept by the
    processor, so every panel an editor builds finds them decoded once. */
class StsResor
{
public:
    /** Loads (again) from the embedded artwork, replacing what was loaded before. */
    void load();

    juce::Image knobStrip, capLarge, capMedium, capSmall, envelopeBackground;
    juce::Image editMark; // the amber dot of a control whose value differs from the stored program
    // Held, so the windowing system's resize cursor is made once, not at every editor opening:
    // the framework keeps a standard cursor only while someone uses it.
    juce::MouseCursor resizeCursor;
};
