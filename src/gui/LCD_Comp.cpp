#include "gui/LCD_Comp.h"
#include "gui/Artwork.h"
#include "groups/ProgramLocation.h"
#include "midi/MidiCntrState.h"
#include "model/ValueFormat.h"

LCD_Comp::LCD_Comp (MidiCntrState& e, Mode m)
    : engine (e), mode (m), background (Artwork::get ("lcd_png"))
{
    setSize (200, 48);
}

void LCD_Comp::setScale (float newScale)
{
    scale = newScale;
    setSize (juce::roundToInt (200.0f * scale), juce::roundToInt (48.0f * scale));
}

void LCD_Comp::setDisplay (int g, int p, int c, const juce::String& n, const juce::String& s1, const juce::String& s2)
{
    group = g;
    program = p;
    category = c;
    name = n;
    status1 = s1;
    status2 = s2;
    repaint();
}

int LCD_Comp::areaAt (float x, float y) noexcept
{
    if (y > 28 && y < 40 && x > 12 && x < 182)
        return nameArea;
    if (y > 7 && y < 20 && x > 20 && x < 128)
        return categoryArea;
    if (y > 7 && y <= 20 && x > 12 && x < 116)
        return locationArea;
    return noArea;
}

void LCD_Comp::paint (juce::Graphics& g)
{
    const auto s = scale;
    if (background.isValid())
        g.drawImage (background, getLocalBounds().toFloat());
    else
    {
        g.setColour (juce::Colour (0xff0e2a26));
        g.fillRoundedRectangle (getLocalBounds().toFloat(), 3.0f * s);
    }

    g.setColour (juce::Colour (0xffe8f4ee));
    g.setFont (Artwork::arial (14.0f * s));
    g.drawText (ProgramLocation::gridLocationText (group, program), juce::Rectangle<float> (12, 7, 120, 16) * s,
                juce::Justification::centredLeft, false);
    g.setFont (Artwork::arial (16.0f * s));
    g.drawText (name, juce::Rectangle<float> (12, 26, 180, 18) * s, juce::Justification::centredLeft, true);
    g.setColour (juce::Colour (0xffb8d8cc));
    g.setFont (Artwork::arial (12.0f * s));
    g.drawText (ValueFormat::categoryName (category), juce::Rectangle<float> (20, 7, 170, 13) * s, juce::Justification::centredRight, true);
}

void LCD_Comp::mouseDown (const juce::MouseEvent& e)
{
    if (mode == finderMode)
    {
        engine.postEvent (StateEvent::openProgramFinder);
        return;
    }

    const auto area = areaAt ((float) e.x / scale, (float) e.y / scale);
    if (area == noArea)
        return;
    clickedArea = area;
    sendSynchronousChangeMessage();
}
