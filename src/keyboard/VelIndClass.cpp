#include "keyboard/VelIndClass.h"
#include "gui/Artwork.h"
#include "midi/MidiCntrState.h"

VelIndClass::VelIndClass (MidiCntrState& e) : engine (e)
{
    setScale (1.0f);
}

void VelIndClass::setScale (float newScale)
{
    scale = newScale;
    setSize (juce::roundToInt ((float) baseWidth * scale), juce::roundToInt ((float) baseHeight * scale));
}

int VelIndClass::getVelocity() const noexcept
{
    return engine.getSettings().getByte (SettingsBlock::keyVelocityOffset);
}

void VelIndClass::mouseDown (const juce::MouseEvent& e)
{
    dragging = (float) e.x < (float) dragZone * scale;
    mouseDrag (e);
}

void VelIndClass::mouseDrag (const juce::MouseEvent& e)
{
    if (! dragging)
        return;

    const auto v = juce::jlimit (0, 127, 127 - (int) ((float) e.y / scale));
    engine.getSettings().setByte (SettingsBlock::keyVelocityOffset, (uint8_t) v);
    repaint();
}

void VelIndClass::paint (juce::Graphics& g)
{
    const auto s = scale;
    const juce::Rectangle<float> track (6.0f * s, 4.0f * s, 22.0f * s, 112.0f * s);
    g.setColour (juce::Colour (0xff060606));
    g.fillRoundedRectangle (track, 2.0f * s);
    g.setColour (juce::Colour (0xff4a4a4a));
    g.drawRoundedRectangle (track, 2.0f * s, 1.0f);

    const auto v = getVelocity();
    const auto fill = track.reduced (2.0f * s);
    const auto filled = fill.withTop (fill.getBottom() - fill.getHeight() * (float) v / 127.0f);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xffe0402a), fill.getY(), juce::Colour (0xff7a1a10), fill.getBottom()));
    g.fillRect (filled);

    g.setColour (juce::Colour (0xffdddddd));
    g.setFont (Artwork::arial (11.0f * s, true));
    g.drawText ("VEL", juce::Rectangle<float> (32.0f * s, 4.0f * s, 36.0f * s, 14.0f * s), juce::Justification::centredLeft, false);
    g.setFont (Artwork::arial (13.0f * s));
    g.drawText (juce::String (v), juce::Rectangle<float> (32.0f * s, 20.0f * s, 36.0f * s, 16.0f * s), juce::Justification::centredLeft, false);
}
