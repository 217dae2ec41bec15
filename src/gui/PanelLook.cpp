#include "gui/PanelLook.h"
#include "gui/Artwork.h"

namespace PanelLook
{
void paintBackground (juce::Graphics& g, juce::Rectangle<int> area, int stripHeight, const juce::String& title, int titleRight)
{
    if (const auto texture = Artwork::get ("panel_png"); texture.isValid())
    {
        g.setTiledImageFill (texture, 0, 0, 1.0f);
        g.fillRect (area);
        g.setColour (juce::Colour (0x66000000));
        g.fillRect (area);
    }
    else
    {
        g.setColour (juce::Colour (0xff141414));
        g.fillRect (area);
    }

    // the top strip stands apart from the sections below it
    g.setColour (juce::Colour (0x55000000));
    g.fillRect (area.withHeight (stripHeight));
    g.setColour (juce::Colour (0xff2c2c2c));
    g.drawHorizontalLine (area.getY() + stripHeight, (float) area.getX(), (float) area.getRight());

    g.setColour (juce::Colour (0xffefefef));
    g.setFont (Artwork::arialBlack (15.0f));
    g.drawText (title, juce::Rectangle<int> (area.getX(), area.getY(), titleRight - area.getX(), stripHeight),
                juce::Justification::centredRight, false);
}

void paintSection (juce::Graphics& g, juce::Rectangle<int> content, const juce::String& title, int pad)
{
    if (content.isEmpty())
        return;

    const auto box = content.expanded (pad).toFloat();
    auto font = Artwork::arialBlack (10.5f);
    const auto titleWidth = font.getStringWidthFloat (title) + 12.0f;
    const auto titleBox = juce::Rectangle<float> (titleWidth, 14.0f).withCentre ({ box.getCentreX(), box.getY() });

    g.saveState();
    g.excludeClipRegion (titleBox.getSmallestIntegerContainer());
    g.setColour (juce::Colour (0xffa9a9a9));
    g.drawRoundedRectangle (box, 4.0f, 1.1f);
    g.restoreState();

    g.setColour (juce::Colour (0xffefefef));
    g.setFont (font);
    g.drawText (title, titleBox, juce::Justification::centred, false);
}

void styleField (juce::TextEditor& field, float fontHeight)
{
    field.setFont (Artwork::arial (fontHeight));
    field.setColour (juce::TextEditor::backgroundColourId, juce::Colour (0xff0c0c0c));
    field.setColour (juce::TextEditor::textColourId, juce::Colour (0xffeeeeee));
    field.setColour (juce::TextEditor::highlightColourId, juce::Colour (0xff7b7f95));
    field.setColour (juce::TextEditor::outlineColourId, juce::Colour (0xff55555c));
    field.setColour (juce::TextEditor::focusedOutlineColourId, juce::Colour (0xff9a9eb4));
    field.setColour (juce::CaretComponent::caretColourId, juce::Colours::white);
    field.setIndents (6, 3);
}
}
