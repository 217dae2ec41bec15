#include "gui/StBut.h"
#include "gui/Artwork.h"

StBut::StBut (const juce::String& text, int buttonId, int buttonStyle) : CaptionButton (text, buttonId, buttonStyle) {}

void StBut::paint (juce::Graphics& g)
{
    switch (style)
    {
        case 1:  ButtonLook::paintFlat (g, getLocalBounds(), fill, state()); break;
        case 2:  ButtonLook::paintOutlined (g, getLocalBounds(), latched ? juce::Colour (0xff424dcc) : juce::Colour (0xff1c1f1d),
                                            juce::Colour (0xffaaaaaa)); break;
        default: ButtonLook::paintArtwork (g, getLocalBounds(), body, state()); break;
    }

    g.setColour (style == 0 ? (pressed || latched ? juce::Colours::white : juce::Colours::black)
                            : (hover ? juce::Colours::white : juce::Colour (0xffdddddd)));
    g.setFont (Artwork::arial (style == 2 ? 11.0f : fontSize));
    g.drawText (caption, getLocalBounds(), juce::Justification::centred, false);
}

void StBut::mouseDown (const juce::MouseEvent&)
{
    pressed = true;
    repaint();
    report (StButListener::pressed);
}

void StBut::mouseUp (const juce::MouseEvent& e)
{
    if (releasedInside (e))
    {
        sendSynchronousChangeMessage();
        report (StButListener::clicked);
    }
}

void StBut::report (int code)
{
    listeners.callLastFirst ([this, code] (StButListener& l) { l.stButtonEvent (this, code, id); });
}
