#include "gui/HorScrollClass.h"

namespace
{
void paintArrow (juce::Graphics& g, juce::Rectangle<float> area, float direction, bool held)
{
    g.setGradientFill (juce::ColourGradient::vertical (held ? juce::Colour (0xff5c5c5c) : juce::Colour (0xff2e2e2e), area.getY(),
                                                       held ? juce::Colour (0xff333333) : juce::Colour (0xff121212), area.getBottom()));
    g.fillRect (area);

    juce::Path arrow;
    const auto c = area.getCentre();
    arrow.addTriangle (c.x + 3.0f * direction, c.y, c.x - 2.5f * direction, c.y - 3.5f, c.x - 2.5f * direction, c.y + 3.5f);
    g.setColour (held ? juce::Colours::white : juce::Colour (0xffa8a8a8));
    g.fillPath (arrow);
}
}

HorScrollClass::HorScrollClass()
{
    setSize (200, thickness);
}

void HorScrollClass::setPosition (int newPosition, juce::NotificationType notification)
{
    const auto clamped = juce::jlimit (0, maximum, newPosition);
    if (clamped == position)
        return;

    position = clamped;
    repaint();
    if (notification == juce::sendNotificationAsync)
        sendChangeMessage();
    else if (notification != juce::dontSendNotification)
        sendSynchronousChangeMessage();
}

void HorScrollClass::setMaximum (int newMaximum)
{
    maximum = juce::jmax (1, newMaximum);
    setPosition (position);
    repaint();
}

int HorScrollClass::positionAt (int x) const noexcept
{
    if (travel() <= 0)
        return 0;
    return (x - thumbLength / 2 - arrowLength) * maximum / travel();
}

juce::Rectangle<int> HorScrollClass::getThumbBounds() const noexcept
{
    const auto x = arrowLength + (int) ((double) juce::jmax (0, travel()) * position / maximum);
    return { x, 0, thumbLength, getHeight() };
}

void HorScrollClass::mouseDown (const juce::MouseEvent& e)
{
    dragging = false;
    stepping = e.x < arrowLength ? -1 : e.x >= getWidth() - arrowLength ? 1 : 0;

    if (stepping != 0)
    {
        setPosition (position + stepping, juce::sendNotificationSync);
        startTimer (repeatMs);
        repaint();
        return;
    }

    dragging = true;
    setPosition (positionAt (e.x), juce::sendNotificationSync);
}

void HorScrollClass::mouseDrag (const juce::MouseEvent& e)
{
    if (dragging)
        setPosition (positionAt (e.x), juce::sendNotificationSync);
}

void HorScrollClass::mouseUp (const juce::MouseEvent&)
{
    stopTimer();
    dragging = false;
    if (std::exchange (stepping, 0) != 0)
        repaint();
}

void HorScrollClass::timerCallback()
{
    if (stepping == 0)
        stopTimer();
    else
        setPosition (position + stepping, juce::sendNotificationSync);
}

void HorScrollClass::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff000000), 0.0f, juce::Colour (0xff1e1e1e), bounds.getBottom()));
    g.fillRect (bounds);

    const auto thumb = getThumbBounds().toFloat().reduced (1.0f, 2.0f);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff9a9a9a), thumb.getY(), juce::Colour (0xff5e5e5e), thumb.getBottom()));
    g.fillRoundedRectangle (thumb, 4.0f);
    g.setColour (juce::Colour (0xff262626));
    g.drawRoundedRectangle (thumb, 4.0f, 1.0f);

    paintArrow (g, bounds.withWidth ((float) arrowLength), -1.0f, stepping < 0);
    paintArrow (g, bounds.withLeft (bounds.getRight() - (float) arrowLength), 1.0f, stepping > 0);
}
