#include "gui/VerScrollClass.h"

namespace
{
void paintArrow (juce::Graphics& g, juce::Rectangle<float> area, float direction, bool held)
{
    g.setGradientFill (juce::ColourGradient::horizontal (held ? juce::Colour (0xff5c5c5c) : juce::Colour (0xff2e2e2e), area.getX(),
                                                         held ? juce::Colour (0xff333333) : juce::Colour (0xff121212), area.getRight()));
    g.fillRect (area);

    juce::Path arrow;
    const auto c = area.getCentre();
    arrow.addTriangle (c.x, c.y + 3.0f * direction, c.x - 3.5f, c.y - 2.5f * direction, c.x + 3.5f, c.y - 2.5f * direction);
    g.setColour (held ? juce::Colours::white : juce::Colour (0xffa8a8a8));
    g.fillPath (arrow);
}
}

VerScrollClass::VerScrollClass()
{
    setSize (thickness, 200);
}

void VerScrollClass::setPosition (int newPosition, juce::NotificationType notification)
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

void VerScrollClass::setMaximum (int newMaximum)
{
    maximum = juce::jmax (1, newMaximum);
    setPosition (position);
    repaint();
}

int VerScrollClass::positionAt (int y) const noexcept
{
    if (travel() <= 0)
        return 0;
    return (y - thumbLength / 2 - arrowLength) * maximum / travel();
}

juce::Rectangle<int> VerScrollClass::getThumbBounds() const noexcept
{
    const auto y = arrowLength + (int) ((double) juce::jmax (0, travel()) * position / maximum);
    return { 0, y, getWidth(), thumbLength };
}

void VerScrollClass::mouseDown (const juce::MouseEvent& e)
{
    dragging = false;
    stepping = e.y < arrowLength ? -1 : e.y >= getHeight() - arrowLength ? 1 : 0;

    if (stepping != 0)
    {
        setPosition (position + stepping, juce::sendNotificationSync);
        startTimer (repeatMs);
        repaint();
        return;
    }

    const auto thumb = getThumbBounds();
    if (e.y < thumb.getY())
        setPosition (position - pageStep, juce::sendNotificationSync);
    else if (e.y >= thumb.getBottom())
        setPosition (position + pageStep, juce::sendNotificationSync);
    else
        dragging = true;
}

void VerScrollClass::mouseDrag (const juce::MouseEvent& e)
{
    if (dragging)
        setPosition (positionAt (e.y), juce::sendNotificationSync);
}

void VerScrollClass::mouseUp (const juce::MouseEvent&)
{
    stopTimer();
    dragging = false;
    if (std::exchange (stepping, 0) != 0)
        repaint();
}

void VerScrollClass::timerCallback()
{
    if (stepping == 0)
        stopTimer();
    else
        setPosition (position + stepping, juce::sendNotificationSync);
}

void VerScrollClass::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    g.setGradientFill (juce::ColourGradient::horizontal (juce::Colour (0xff000000), 0.0f, juce::Colour (0xff1e1e1e), bounds.getRight()));
    g.fillRect (bounds);

    const auto thumb = getThumbBounds().toFloat().reduced (2.0f, 1.0f);
    g.setGradientFill (juce::ColourGradient::horizontal (juce::Colour (0xff9a9a9a), thumb.getX(), juce::Colour (0xff5e5e5e), thumb.getRight()));
    g.fillRoundedRectangle (thumb, 4.0f);
    g.setColour (juce::Colour (0xff262626));
    g.drawRoundedRectangle (thumb, 4.0f, 1.0f);

    paintArrow (g, bounds.withHeight ((float) arrowLength), -1.0f, stepping < 0);
    paintArrow (g, bounds.withTop (bounds.getBottom() - (float) arrowLength), 1.0f, stepping > 0);
}
