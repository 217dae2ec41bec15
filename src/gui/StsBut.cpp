#include "gui/StsBut.h"
#include "gui/Artwork.h"

StsBut::StsBut (const juce::String& text, int buttonId, int buttonStyle) : CaptionButton (text, buttonId, buttonStyle) {}

void StsBut::resetCaption()
{
    CaptionButton::resetCaption();
    normalText = juce::Colours::black;
    pressedText = juce::Colours::white;
}

void StsBut::setCaptionColours (juce::Colour normal, juce::Colour p) { normalText = normal; pressedText = p; repaint(); }

void StsBut::paint (juce::Graphics& g)
{
    switch (style)
    {
        case 1:  ButtonLook::paintFlat (g, getLocalBounds(), fill, state()); break;
        case 2:  ButtonLook::paintOutlined (g, getLocalBounds(), juce::Colours::black,
                                            pressed ? juce::Colour (0xff555555) : juce::Colour (0xff9f9f9f)); break;
        default: ButtonLook::paintArtwork (g, getLocalBounds(), body, state()); break;
    }

    if (style == 2)
        g.setColour (hover ? juce::Colours::white : juce::Colour (0xffdddddd));
    else
        g.setColour (pressed || latched ? pressedText : normalText);
    g.setFont (Artwork::arial (fontSize));
    g.drawText (caption, getLocalBounds(), juce::Justification::centred, false);
}

void StsBut::mouseDown (const juce::MouseEvent&) { pressed = true; repaint(); }

void StsBut::mouseUp (const juce::MouseEvent& e)
{
    if (releasedInside (e))
        listeners.callLastFirst ([this] (stsbutListener& l) { l.stsButtonClicked (this, id); });
}
