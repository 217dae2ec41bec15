#pragma once

// Every bitmap of the editor, each drawn at its final size.
#include "artwork/Canvas.h"

namespace art
{
// --- controls --------------------------------------------------------------------------------------
enum class KnobStyle
{
    plain,   // the instrument's own: a fluted cylinder with a line on its top
    skirted  // a cap standing on a wider, sloping skirt
};

/** A black knob seen from above, lit from the top of the screen. `angle` turns the pointer and the
    flutes with it (radians clockwise from up); without a pointer it is a bare cap. */
void paintKnob (juce::Graphics& g, juce::Point<float> centre, float radius, KnobStyle style, float angle, bool pointer);

juce::Image knobStrip();
juce::Image knobCap (KnobStyle style, float radius);
juce::Image buttonBody (int height);
juce::Image switchCap();
juce::Image ledRound();
juce::Image ledSmall();
juce::Image editMark();
juce::Image ledGlobal();
juce::Image checkbox();
juce::Image digits();
juce::Image wheelStrip();
/** The librarian button, drawn at twice its size: the body with its left end, and the right end
    cap laid over the body's right edge. */
juce::Image libButtonBody();
juce::Image libButtonCap();
/** The librarian lists' scroll bar, drawn at twice its size; the track's middle rows are all alike,
    so it stretches to any height between its ends. */
juce::Image listThumb();
juce::Image listTrack();

// --- surfaces --------------------------------------------------------------------------------------
/** Walnut at a point of a board running vertically; `seed` picks the board. */
juce::Colour walnut (float x, float y, int seed);

juce::Image bar();
juce::Image panel();
juce::Image woodCheek();
juce::Image envelopeBackground();
juce::Image lcd();
juce::Image valueBox();
juce::Image zoomHandle();
juce::Image zoomGrip();
juce::Image windowTools();
juce::Image windowClose();

// --- pictures --------------------------------------------------------------------------------------
juce::Image logo (const juce::String& model);
juce::Image aboutPicture (bool prophet10);
juce::Image appIcon();
}
