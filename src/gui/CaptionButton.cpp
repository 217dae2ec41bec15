#include "gui/CaptionButton.h"
#include "gui/Artwork.h"

CaptionButton::CaptionButton (const juce::String& text, int buttonId, int buttonStyle)
    : caption (text), id (buttonId), style (buttonStyle), body (Artwork::buttonBody (16))
{
}

void CaptionButton::place (int x, int y, int width, int height)
{
    body = Artwork::buttonBody (height);
    if (style == 0 || style == 2)
        resetCaption();
    setBounds (x, y, width, height);
}

void CaptionButton::setCaption (const juce::String& text)
{
    if (caption != text)
    {
        caption = text;
        repaint();
    }
}

void CaptionButton::setFontSize (float size)            { fontSize = size; repaint(); }
void CaptionButton::setFillColour (juce::Colour colour) { fill = colour; repaint(); }
void CaptionButton::setLatched (bool on)                { latched = on; repaint(); }

void CaptionButton::mouseEnter (const juce::MouseEvent&) { hover = true; repaint(); }
void CaptionButton::mouseExit (const juce::MouseEvent&)  { hover = false; repaint(); }

bool CaptionButton::releasedInside (const juce::MouseEvent& e)
{
    if (! pressed)
        return false;

    pressed = false;
    repaint();
    const auto p = e.getPosition();
    return p.x >= 0 && p.x <= getWidth() && p.y >= 0 && p.y <= getHeight();
}
