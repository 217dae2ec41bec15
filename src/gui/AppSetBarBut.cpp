#include "gui/AppSetBarBut.h"

AppSetBarBut::AppSetBarBut()
{
    setTooltip ("Preset Manager  ( F5 )");
    setSize (36, 36);
}

void AppSetBarBut::paint (juce::Graphics& g)
{
    // three grey bars, centred in the bar's 24-pixel height
    g.setColour (hover ? juce::Colour (0xffd0d0d0) : juce::Colour (0xff9f9f9f));
    for (int i = 0; i < 3; ++i)
        g.fillRoundedRectangle (8.0f, 6.0f + 5.0f * (float) i, 18.0f, 2.5f, 1.0f);
}

void AppSetBarBut::mouseEnter (const juce::MouseEvent&) { hover = true; repaint(); }
void AppSetBarBut::mouseExit (const juce::MouseEvent&)  { hover = false; repaint(); }

void AppSetBarBut::mouseUp (const juce::MouseEvent&)
{
    sendSynchronousChangeMessage();
}
