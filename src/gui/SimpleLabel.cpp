#include "gui/SimpleLabel.h"
#include "gui/Artwork.h"

SimpleLabel::SimpleLabel (float height, int style, juce::Justification just)
    : fontHeight (height), fontStyle (style), justification (just)
{
    setInterceptsMouseClicks (false, false);
}

void SimpleLabel::setText (const juce::String& t)
{
    if (text != t)
    {
        text = t;
        repaint();
    }
}

void SimpleLabel::setBackgroundColour (juce::Colour c) { background = c; repaint(); }
void SimpleLabel::setTextColour (juce::Colour c)       { textColour = c; repaint(); }

void SimpleLabel::paint (juce::Graphics& g)
{
    g.fillAll (background);
    g.setColour (textColour);
    g.setFont (Artwork::arial (fontHeight, (fontStyle & juce::Font::bold) != 0).withStyle (fontStyle));
    g.drawText (text, 0, 0, getWidth(), lineHeight, justification, true);
}
