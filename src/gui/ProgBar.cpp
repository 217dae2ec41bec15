#include "gui/ProgBar.h"
#include "gui/Artwork.h"
#include "groups/ProgramLocation.h"

ProgBar::ProgBar (int editorWidth, int editorHeight)
{
    addAndMakeVisible (cancel);
    setSize (editorWidth, editorHeight);
}

juce::Rectangle<int> ProgBar::box() const
{
    return getLocalBounds().withSizeKeepingCentre (400, 40);
}

void ProgBar::resized()
{
    const auto b = box();
    cancel.place (b.getX() + 319, b.getY() + 24, 60, 24);
}

void ProgBar::showProgress (int group, int program)
{
    position = juce::jlimit (0, maximum, program);
    text = ProgramLocation::locationText (group, program);
    repaint();
}

void ProgBar::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xb0000000));

    const auto b = box();
    const auto track = juce::Rectangle<int> (b.getX() + 8, b.getY(), 384, 24);
    g.setColour (juce::Colour (0xff1a1a1a));
    g.fillRect (track);
    g.setColour (juce::Colour (0xff5a5a5a));
    g.drawRect (track, 1);

    const auto fill = track.withWidth (juce::jmin (getFillWidth(), track.getWidth()));
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xffd23c2c), (float) fill.getX(), (float) fill.getY(),
                                             juce::Colour (0xff8a1a12), (float) fill.getX(), (float) fill.getBottom(), false));
    g.fillRect (fill.reduced (1));

    g.setColour (juce::Colour (0xffeeeeee));
    g.setFont (Artwork::arial (18.0f, true));
    g.drawText (text, b.getX() + 8, b.getY() + 24, 220, 24, juce::Justification::centredLeft, true);
}
