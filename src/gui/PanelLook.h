#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** How the editor's full-size panels and prompts look, in one place: the darkened instrument
    panel behind them, their title strip, the framed sections with a title on the frame's top line,
    and the text fields of the prompts. */
namespace PanelLook
{
/** The instrument's black panel, a shade darker than the front panel it stands in for, with a
    strip `stripHeight` high across the top holding `title` at its right, ending at `titleRight`. */
void paintBackground (juce::Graphics& g, juce::Rectangle<int> area, int stripHeight, const juce::String& title, int titleRight);

/** A rounded frame `pad` pixels outside `content` with `title` on its top line. */
void paintSection (juce::Graphics& g, juce::Rectangle<int> content, const juce::String& title, int pad);

/** A prompt's one-line text field: light text on near-black, with a lit outline while focused. */
void styleField (juce::TextEditor& field, float fontHeight);
}
