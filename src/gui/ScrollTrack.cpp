#include "gui/ScrollTrack.h"

ScrollTrack::ScrollTrack (bool isVertical) : vertical (isVertical)
{
    setSize (vertical ? thickness : 200, vertical ? 200 : thickness);
}

void ScrollTrack::setPosition (int newPosition, juce::NotificationType notification)
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

void ScrollTrack::setMaximum (int newMaximum)
{
    maximum = juce::jmax (1, newMaximum);
    setPosition (position);
    repaint();
}

void ScrollTrack::setVisibleAmount (int units)
{
    if (units != visibleAmount)
    {
        visibleAmount = juce::jmax (0, units);
        repaint();
    }
}

int ScrollTrack::getThumbLength() const noexcept
{
    const auto track = length() - 2 * arrowLength;
    if (visibleAmount <= 0)
        return thumbLength;
    const auto proportional = (int) std::lround ((double) track * visibleAmount / (double) (maximum + visibleAmount));
    return juce::jmax (0, juce::jlimit (minThumbLength, juce::jmax (minThumbLength, track), proportional));
}

int ScrollTrack::positionForThumbAt (int thumbStart) const noexcept
{
    if (travel() <= 0)
        return 0;
    return (thumbStart - arrowLength) * maximum / travel();
}

int ScrollTrack::positionAt (int along) const noexcept
{
    return positionForThumbAt (along - getThumbLength() / 2);
}

juce::Rectangle<int> ScrollTrack::getThumbBounds() const noexcept
{
    const auto start = arrowLength + (int) ((double) juce::jmax (0, travel()) * position / maximum);
    const auto thumb = getThumbLength();
    return vertical ? juce::Rectangle<int> { 0, start, getWidth(), thumb }
                    : juce::Rectangle<int> { start, 0, thumb, getHeight() };
}

void ScrollTrack::mouseDown (const juce::MouseEvent& e)
{
    dragging = false;
    const auto along = alongOf (e);
    stepping = along < arrowLength ? -1 : along >= length() - arrowLength ? 1 : 0;

    if (stepping != 0)
    {
        setPosition (position + stepping * step, juce::sendNotificationSync);
        startTimer (firstRepeatMs);
        repaint();
        return;
    }

    dragging = trackPressed (along);
    // the thumb keeps the point it was taken by under the pointer, so it moves as far as the
    // pointer does and the range in proportion
    const auto thumb = getThumbBounds();
    grabOffset = along - (vertical ? thumb.getY() : thumb.getX());
}

void ScrollTrack::mouseDrag (const juce::MouseEvent& e)
{
    if (dragging)
        setPosition (positionForThumbAt (alongOf (e) - grabOffset), juce::sendNotificationSync);
}

void ScrollTrack::mouseUp (const juce::MouseEvent&)
{
    stopTimer();
    dragging = false;
    if (std::exchange (stepping, 0) != 0)
        repaint();
}

void ScrollTrack::timerCallback()
{
    if (stepping == 0)
    {
        stopTimer();
        return;
    }

    setPosition (position + stepping * step, juce::sendNotificationSync);
    startTimer (juce::jmax (fastestRepeatMs, getTimerInterval() * 7 / 10));
}

void ScrollTrack::paintArrow (juce::Graphics& g, juce::Rectangle<float> area, float direction, bool held) const
{
    const auto top = held ? juce::Colour (0xff5c5c5c) : juce::Colour (0xff2e2e2e);
    const auto bottom = held ? juce::Colour (0xff333333) : juce::Colour (0xff121212);
    g.setGradientFill (vertical ? juce::ColourGradient::horizontal (top, area.getX(), bottom, area.getRight())
                                : juce::ColourGradient::vertical (top, area.getY(), bottom, area.getBottom()));
    g.fillRect (area);

    juce::Path arrow;
    const auto c = area.getCentre();
    if (vertical)
        arrow.addTriangle (c.x, c.y + 3.0f * direction, c.x - 3.5f, c.y - 2.5f * direction, c.x + 3.5f, c.y - 2.5f * direction);
    else
        arrow.addTriangle (c.x + 3.0f * direction, c.y, c.x - 2.5f * direction, c.y - 3.5f, c.x - 2.5f * direction, c.y + 3.5f);
    g.setColour (held ? juce::Colours::white : juce::Colour (0xffa8a8a8));
    g.fillPath (arrow);
}

void ScrollTrack::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    g.setGradientFill (vertical ? juce::ColourGradient::horizontal (juce::Colour (0xff000000), 0.0f, juce::Colour (0xff1e1e1e), bounds.getRight())
                                : juce::ColourGradient::vertical (juce::Colour (0xff000000), 0.0f, juce::Colour (0xff1e1e1e), bounds.getBottom()));
    g.fillRect (bounds);

    const auto thumb = getThumbBounds().toFloat().reduced (vertical ? 2.0f : 1.0f, vertical ? 1.0f : 2.0f);
    const auto light = juce::Colour (0xff9a9a9a), dark = juce::Colour (0xff5e5e5e);
    g.setGradientFill (vertical ? juce::ColourGradient::horizontal (light, thumb.getX(), dark, thumb.getRight())
                                : juce::ColourGradient::vertical (light, thumb.getY(), dark, thumb.getBottom()));
    g.fillRoundedRectangle (thumb, 4.0f);
    g.setColour (juce::Colour (0xff262626));
    g.drawRoundedRectangle (thumb, 4.0f, 1.0f);

    const auto arrow = (float) arrowLength;
    paintArrow (g, vertical ? bounds.withHeight (arrow) : bounds.withWidth (arrow), -1.0f, stepping < 0);
    paintArrow (g, vertical ? bounds.withTop (bounds.getBottom() - arrow) : bounds.withLeft (bounds.getRight() - arrow), 1.0f, stepping > 0);
}
