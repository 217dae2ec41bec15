#include "gui/LibBut.h"
#include "gui/Artwork.h"

LibBut::LibBut (const juce::String& text, int buttonId, float height)
    : caption (text), id (buttonId), captionHeight (height),
      body (Artwork::get ("lib_button_png")), endCap (Artwork::get ("lib_button_cap_png"))
{
    setSize (bodyWidth, 34);
}

void LibBut::setCaption (const juce::String& text)
{
    if (caption != text)
    {
        caption = text;
        repaint();
    }
}

void LibBut::paint (juce::Graphics& g)
{
    const auto y = (getHeight() - bodyHeight) / 2;
    const juce::Rectangle<int> face (0, y, juce::jmin (bodyWidth, getWidth()), bodyHeight);
    g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);

    if (body.isValid())
        g.drawImage (body, face.toFloat(), juce::RectanglePlacement::stretchToFit);
    else
    {
        g.setColour (juce::Colour (0xff3a3a40));
        g.fillRoundedRectangle (face.toFloat(), 4.0f);
    }
    if (endCap.isValid())
        g.drawImage (endCap, juce::Rectangle<int> (getWidth() - capWidth, y, capWidth, bodyHeight).toFloat(),
                     juce::RectanglePlacement::stretchToFit);

    // the pictures carry the look; the states are a veil over them, as on the editor's buttons
    if (pressed || hover)
    {
        g.setColour (pressed ? juce::Colour (0x30000000) : juce::Colour (0x14ffffff));
        g.fillRoundedRectangle (face.withWidth (getWidth()).toFloat().reduced (1.0f), 4.0f);
    }

    g.setColour (juce::Colour (0xfff7f7f7));
    g.setFont (Artwork::arial (captionHeight));
    g.drawText (caption, getLocalBounds().translated (0, pressed ? 1 : 0), juce::Justification::centred, false);
}

void LibBut::mouseEnter (const juce::MouseEvent&)
{
    hover = true;
    repaint();
    listeners.callLastFirst ([this] (LibButListener& l) { l.libButEntered (this, id); });
}

void LibBut::mouseExit (const juce::MouseEvent&)
{
    hover = false;
    repaint();
    listeners.callLastFirst ([this] (LibButListener& l) { l.libButLeft (this, id); });
}

void LibBut::mouseDown (const juce::MouseEvent&)
{
    pressed = true;
    repaint();
    listeners.callLastFirst ([this] (LibButListener& l) { l.libButClicked (this, id); });
}

void LibBut::mouseUp (const juce::MouseEvent&)
{
    pressed = false;
    repaint();
}
