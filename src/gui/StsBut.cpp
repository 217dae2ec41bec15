#include "gui/StsBut.h"
#include "gui/Artwork.h"
#include "gui/ButtonLook.h"

StsBut::StsBut (const juce::String& text, int buttonId, int buttonStyle)
    : caption (text), id (buttonId), style (buttonStyle)
{
    body = Artwork::buttonBody (16);
}

void StsBut::place (int x, int y, int width, int height)
{
    body = Artwork::buttonBody (height);
    if (style == 0 || style == 2)
    {
        normalText = juce::Colours::black;
        pressedText = juce::Colours::white;
        fontSize = 12.0f;
    }
    setBounds (x, y, width, height);
}

void StsBut::setCaption (const juce::String& text)
{
    if (caption != text)
    {
        caption = text;
        repaint();
    }
}

void StsBut::setFontSize (float size)                                { fontSize = size; repaint(); }
void StsBut::setCaptionColours (juce::Colour normal, juce::Colour p) { normalText = normal; pressedText = p; repaint(); }
void StsBut::setFillColour (juce::Colour colour)                     { fill = colour; repaint(); }
void StsBut::setLatched (bool on)                                    { latched = on; repaint(); }

void StsBut::paint (juce::Graphics& g)
{
    const ButtonLook::State state { hover, pressed, latched };
    switch (style)
    {
        case 1:  ButtonLook::paintFlat (g, getLocalBounds(), fill, state); break;
        case 2:  ButtonLook::paintOutlined (g, getLocalBounds(), juce::Colours::black,
                                            pressed ? juce::Colour (0xff555555) : juce::Colour (0xff9f9f9f)); break;
        default: ButtonLook::paintArtwork (g, getLocalBounds(), body, state); break;
    }

    if (style == 2)
    {
        g.setColour (hover ? juce::Colours::white : juce::Colour (0xffdddddd));
        g.setFont (Artwork::arial (fontSize));
    }
    else
    {
        g.setColour (pressed || latched ? pressedText : normalText);
        g.setFont (Artwork::arial (fontSize));
    }
    g.drawText (caption, getLocalBounds(), juce::Justification::centred, false);
}

void StsBut::mouseEnter (const juce::MouseEvent&) { hover = true; repaint(); }
void StsBut::mouseExit (const juce::MouseEvent&)  { hover = false; repaint(); }
void StsBut::mouseDown (const juce::MouseEvent&)  { pressed = true; repaint(); }

void StsBut::mouseUp (const juce::MouseEvent& e)
{
    if (! pressed)
        return;

    pressed = false;
    repaint();

    const auto p = e.getPosition();
    if (p.x >= 0 && p.x <= getWidth() && p.y >= 0 && p.y <= getHeight())
        listeners.callLastFirst ([this] (stsbutListener& l) { l.stsButtonClicked (this, id); });
}
