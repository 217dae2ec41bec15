#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** The editor's bitmaps, embedded from resources/ and decoded once through the image cache, and
    the panel's typefaces. */
namespace Artwork
{
/** The image embedded as `resourceName` (the file name with '.' as '_', e.g. "knob_strip_png");
    an invalid image if there is none, which every painter treats as "draw without it". */
juce::Image get (const char* resourceName);

/** Arial (Liberation Sans where Arial is missing) of the given height. */
juce::Font arial (float height, bool bold = false);

/** Arial Black for the panel's printing, or the boldest Arial there is where it is missing. */
juce::Font arialBlack (float height);

/** The button body for a height: one of the four bitmaps for up to 16, 18, 20 and more pixels. */
juce::Image buttonBody (int height);

/** Draws a button body into `area`, stretched in three pieces (2-pixel caps and the middle) so
    the rounded ends keep their shape; narrow buttons are drawn in one piece. */
void drawButtonBody (juce::Graphics& g, const juce::Image& body, juce::Rectangle<int> area);

/** A picture drawn once per process for a tag, a state and a size, then kept in the image cache:
    editors opened again, and controls repainted in a state seen before, copy it instead of
    drawing it anew. `draw` paints it into a transparent image of that size. */
juce::Image cachedPicture (uint16_t tag, uint32_t state, int width, int height,
                           const std::function<void (juce::Graphics&)>& draw, bool opaque = false);

/** Draws cell `index` of a film strip with cells `cellWidth` apart into `target`. */
void drawCell (juce::Graphics& g, const juce::Image& strip, int index, int cellPitch, int cellWidth, int cellHeight,
               juce::Rectangle<float> target);
}
