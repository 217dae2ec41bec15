#include "gui/CorButton.h"
#include "gui/Artwork.h"

namespace
{
void paintGrip (juce::Graphics& g, juce::Rectangle<float> area)
{
    g.setColour (juce::Colour (0xff8c8c8c));
    for (int i = 0; i < 3; ++i)
    {
        const auto y = area.getCentreY() - 3.0f + 3.0f * (float) i;
        g.drawHorizontalLine ((int) y, area.getX() + 3.0f, area.getRight() - 3.0f);
    }
}
}

CorButton::CorButton() : strip (Artwork::get ("zoom_handle_png")), grip (Artwork::get ("zoom_grip_png"))
{
    setSize (width, height);
}

void CorButton::setPercent (int newPercent)
{
    if (percent != newPercent)
    {
        percent = newPercent;
        repaint();
    }
}

void CorButton::paint (juce::Graphics& g)
{
    if (getWidth() < 15)
    {
        const auto area = juce::Rectangle<float> (0.0f, 0.0f, 14.0f, 14.0f);
        if (grip.isValid())
            g.drawImage (grip, area);
        else
            paintGrip (g, area);
        return;
    }

    const auto body = juce::Rectangle<float> (0.0f, 0.0f, 50.0f, 14.0f);
    if (strip.isValid())
    {
        g.drawImage (strip, body);
    }
    else
    {
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff303030), 0.0f, juce::Colour (0xff0e0e0e), 14.0f));
        g.fillRoundedRectangle (body.reduced (0.5f), 3.0f);
        g.setColour (juce::Colour (0xff555555));
        g.drawRoundedRectangle (body.reduced (0.5f), 3.0f, 1.0f);
        paintGrip (g, body.withLeft ((float) gripX));
    }

    g.setColour (juce::Colour (0xffdddddd));
    g.setFont (Artwork::arial (12.0f));
    g.drawText (juce::String (percent) + "%", 0, 0, 36, height, juce::Justification::centred, false);
}

void CorButton::mouseMove (const juce::MouseEvent& e)
{
    setMouseCursor (e.x >= gripX ? juce::MouseCursor::UpDownResizeCursor : juce::MouseCursor::PointingHandCursor);
}

void CorButton::mouseDown (const juce::MouseEvent& e)
{
    if (e.x < gripX)
    {
        state = percentClicked;
        sendSynchronousChangeMessage();
        state = released;
        return;
    }

    active = true;
    pressScreenY = e.getScreenY();
    heightAtPress = newHeight = panelHeight;
    lastDy = 0;
    state = pressed;
    sendSynchronousChangeMessage();
}

void CorButton::mouseDrag (const juce::MouseEvent& e)
{
    if (! active)
        return;

    const auto dy = e.getScreenY() - pressScreenY;
    if (dy == lastDy)
        return;

    lastDy = dy;
    state = dragging;
    newHeight = heightAtPress + dy;
    sendSynchronousChangeMessage();
}

void CorButton::mouseUp (const juce::MouseEvent& e)
{
    if (! std::exchange (active, false))
        return;

    state = released;
    newHeight = heightAtPress + (e.getScreenY() - pressScreenY);
    sendSynchronousChangeMessage();
}
