#include "gui/StBut.h"
#include "gui/Artwork.h"
#include "gui/ButtonLook.h"

StBut::StBut (const juce::String& text, int buttonId, int buttonStyle)
    : caption (text), id (buttonId), style (buttonStyle)
{
    body = Artwork::buttonBody (16);
}

void StBut::place (int x, int y, int width, int height)
{
    body = Artwork::buttonBody (height);
    if (style == 0 || style == 2)
        fontSize = 12.0f;
    setBounds (x, y, width, height);
}

void StBut::setCaption (const juce::String& text)
{
    if (caption != text)
    {
        caption = text;
        repaint();
    }
}

void StBut::setFontSize (float size)            { fontSize = size; repaint(); }
void StBut::setFillColour (juce::Colour colour) { fill = colour; repaint(); }
void StBut::setLatched (bool on)                { latched = on; repaint(); }

void StBut::paint (juce::Graphics& g)
{
    const ButtonLook::State state { hover, pressed, latched };
    switch (style)
    {
        case 1:  ButtonLook::paintFlat (g, getLocalBounds(), fill, state); break;
        case 2:  ButtonLook::paintOutlined (g, getLocalBounds(), latched ? juce::Colour (0xff424dcc) : juce::Colour (0xff1c1f1d),
                                            juce::Colour (0xffaaaaaa)); break;
        default: ButtonLook::paintArtwork (g, getLocalBounds(), body, state); break;
    }

    g.setColour (style == 0 ? (pressed || latched ? juce::Colours::white : juce::Colours::black)
                            : (hover ? juce::Colours::white : juce::Colour (0xffdddddd)));
    g.setFont (Artwork::arial (style == 2 ? 11.0f : fontSize));
    g.drawText (caption, getLocalBounds(), juce::Justification::centred, false);
}

void StBut::mouseEnter (const juce::MouseEvent&) { hover = true; repaint(); }
void StBut::mouseExit (const juce::MouseEvent&)  { hover = false; repaint(); }

void StBut::mouseDown (const juce::MouseEvent&)
{
    pressed = true;
    repaint();
    report (StButListener::pressed);
}

void StBut::mouseUp (const juce::MouseEvent& e)
{
    if (! pressed)
        return;

    pressed = false;
    repaint();

    const auto p = e.getPosition();
    if (p.x >= 0 && p.x <= getWidth() && p.y >= 0 && p.y <= getHeight())
    {
        sendSynchronousChangeMessage();
        report (StButListener::clicked);
    }
}

void StBut::report (int code)
{
    listeners.callLastFirst ([this, code] (StButListener& l) { l.stButtonEvent (this, code, id); });
}
