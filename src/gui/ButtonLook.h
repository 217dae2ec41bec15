#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** How the two text buttons (StsBut, StBut) paint their bodies; captions are their own. */
namespace ButtonLook
{
struct State
{
    bool hover = false, pressed = false, latched = false;
};

/** The button artwork in three pieces, darkened by a veil while hovered (0x11) or pressed (0x22). */
void paintArtwork (juce::Graphics& g, juce::Rectangle<int> area, const juce::Image& body, State state);

/** A flat body in `fill` with a highlight and a shadow line; a 4-pixel rounded frame instead while
    pressed or latched. */
void paintFlat (juce::Graphics& g, juce::Rectangle<int> area, juce::Colour fill, State state);

/** A filled body with a 1-pixel outline. */
void paintOutlined (juce::Graphics& g, juce::Rectangle<int> area, juce::Colour fill, juce::Colour outline);
}
