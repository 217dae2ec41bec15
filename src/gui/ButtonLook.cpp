#include "gui/ButtonLook.h"
#include "gui/Artwork.h"

namespace ButtonLook
{
void paintArtwork (juce::Graphics& g, juce::Rectangle<int> area, const juce::Image& body, State state)
{
    Artwork::drawButtonBody (g, body, area);
    // latched: pushed in and dark, so its caption reads as lit
    if (state.latched)
        g.fillAll (juce::Colour (0xa0101010));
    else if (state.pressed)
        g.fillAll (juce::Colour (0x22000000));
    else if (state.hover)
        g.fillAll (juce::Colour (0x11000000));
}

void paintFlat (juce::Graphics& g, juce::Rectangle<int> area, juce::Colour fill, State state)
{
    const auto r = area.toFloat();
    if (state.pressed || state.latched)
    {
        g.setColour (fill.darker (0.2f));
        g.fillRoundedRectangle (r, 4.0f);
        g.setColour (fill.brighter (0.6f));
        g.drawRoundedRectangle (r.reduced (0.5f), 4.0f, 1.0f);
        return;
    }

    g.setColour (fill);
    g.fillRect (area);
    g.setColour (fill.brighter (0.35f));
    g.drawHorizontalLine (area.getY(), r.getX(), r.getRight());
    g.setColour (fill.darker (0.5f));
    g.drawHorizontalLine (area.getBottom() - 1, r.getX(), r.getRight());
}

void paintOutlined (juce::Graphics& g, juce::Rectangle<int> area, juce::Colour fill, juce::Colour outline)
{
    g.setColour (fill);
    g.fillRect (area);
    g.setColour (outline);
    g.drawRect (area, 1);
}
}
