#include "gui/Check_But.h"
#include "gui/Artwork.h"

Check_But::Check_But (const juce::String& text) : caption (text), boxes (Artwork::get ("checkbox_png")) {}

void Check_But::setChecked (bool state)
{
    if (checked != state)
    {
        checked = state;
        repaint();
    }
}

void Check_But::paint (juce::Graphics& g)
{
    // cells: checked, unchecked, pressed
    Artwork::drawCell (g, boxes, pressed ? 2 : checked ? 0 : 1, 20, 20, 11, { 2.0f, 2.0f, 20.0f, 11.0f });

    if (caption.isNotEmpty())
    {
        g.setColour (juce::Colour (0xffdddddd));
        g.setFont (Artwork::arial (12.0f));
        g.drawText (caption, 30, 0, 300, 15, juce::Justification::centredLeft, true);
    }
}

void Check_But::mouseDown (const juce::MouseEvent&)
{
    checked = ! checked;
    pressed = true;
    repaint();
    sendSynchronousChangeMessage();
}

void Check_But::mouseUp (const juce::MouseEvent&)
{
    pressed = false;
    repaint();
}
