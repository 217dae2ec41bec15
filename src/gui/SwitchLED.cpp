#include "gui/SwitchLED.h"
#include "gui/Artwork.h"

SwitchLED::SwitchLED (const juce::String& text) : caption (text), leds (Artwork::get ("led_small_png")) {}

void SwitchLED::setOn (bool state)
{
    if (on != state)
    {
        on = state;
        repaint();
    }
}

void SwitchLED::paint (juce::Graphics& g)
{
    Artwork::drawCell (g, leds, on ? 1 : 0, 14, 14, 9, { 0.0f, 5.0f, 14.0f, 9.0f });
    g.setColour (juce::Colour (0xffdddddd));
    g.setFont (Artwork::arial (12.0f));
    g.drawText (caption, 20, 0, 140, 18, juce::Justification::centredLeft, true);
}

void SwitchLED::mouseDown (const juce::MouseEvent& e)
{
    if (e.x >= 20)
        return;
    on = ! on;
    sendSynchronousChangeMessage();
    repaint();
}
