#include "gui/StsLabel.h"
#include "gui/Artwork.h"

StsLabel::StsLabel (const juce::String& initialText, int labelStyle) : text (initialText), style (labelStyle) {}

void StsLabel::setText (const juce::String& newText)
{
    if (text == newText)
        return;
    text = newText;
    repaint();
}

void StsLabel::setFontSize (float size)                 { fontSize = size; repaint(); }
void StsLabel::setBold (bool b)                         { bold = b; repaint(); }
void StsLabel::setJustification (juce::Justification j) { justification = j; repaint(); }
void StsLabel::setTextColour (juce::Colour colour)      { textColour = colour; repaint(); }
void StsLabel::setBackground (juce::Colour colour)      { background = colour; repaint(); }
void StsLabel::setOutline (juce::Colour colour)         { outline = colour; repaint(); }
void StsLabel::setStyle (int newStyle)                  { style = newStyle; repaint(); }

void StsLabel::paint (juce::Graphics& g)
{
    if (style == 1 || style == 2)
    {
        g.setColour (background);
        g.fillRect (getLocalBounds());
    }
    if (style == 2)
    {
        g.setColour (outline);
        g.drawRect (getLocalBounds(), 1);
    }

    g.setColour (textColour);
    g.setFont (Artwork::arial (fontSize, bold));
    g.drawText (text, getLocalBounds().reduced (style == 0 ? 0 : 3, 0), justification, true);
}

void StsLabel::mouseDown (const juce::MouseEvent& e)
{
    if (getLocalBounds().contains (e.getPosition()))
        sendSynchronousChangeMessage();
}
