#include "gui/RateSlider.h"
#include "gui/Artwork.h"

RateSlider::RateSlider()
{
    setSize (width, height);
}

void RateSlider::setValue (int v, juce::NotificationType notification)
{
    const auto clamped = juce::jlimit (0, maximum, v);
    if (clamped == value)
        return;

    value = clamped;
    repaint();
    if (notification == juce::sendNotificationAsync)
        sendChangeMessage();
    else if (notification != juce::dontSendNotification)
        sendSynchronousChangeMessage();
}

void RateSlider::setMaximum (int newMaximum)
{
    maximum = juce::jmax (1, newMaximum);
    setValue (value);
    repaint();
}

void RateSlider::setFromBar (int x)
{
    // in whole numbers, so a pixel that lands on a value exactly is not truncated below it
    setValue ((x - arrowWidth) * maximum / barLength, juce::sendNotificationSync);
}

void RateSlider::mouseDown (const juce::MouseEvent& e)
{
    if (e.x <= arrowWidth - 1 || e.x >= width - arrowWidth + 1)
    {
        stepping = e.x < arrowWidth ? -1 : 1;
        // A click steps at once; holding on repeats.
        setValue (value + stepping, juce::sendNotificationSync);
        startTimer (repeatMs);
        repaint();
        return;
    }
    setFromBar (e.x);
}

void RateSlider::mouseDrag (const juce::MouseEvent& e)
{
    if (stepping == 0)
        setFromBar (e.x);
}

void RateSlider::mouseUp (const juce::MouseEvent&)
{
    if (stepping != 0)
    {
        stopTimer();
        stepping = 0;
        repaint();
    }
}

void RateSlider::timerCallback()
{
    if (stepping == 0)
    {
        stopTimer();
        return;
    }
    setValue (value + stepping, juce::sendNotificationSync);
}

void RateSlider::paint (juce::Graphics& g)
{
    const auto track = juce::Rectangle<float> ((float) arrowWidth, 2.0f, (float) barLength, (float) height - 4.0f);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff050505), track.getY(), juce::Colour (0xff202020), track.getBottom()));
    g.fillRect (track);

    const auto bar = track.withWidth ((float) (value * scale())).reduced (0.0f, 2.0f);
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff7d8fa8), bar.getY(), juce::Colour (0xff3c4a5e), bar.getBottom()));
    g.fillRect (bar);

    g.setColour (juce::Colour (0xff4a4a4a));
    g.drawRect (track, 1.0f);

    auto drawArrow = [&g, this] (float x, int direction)
    {
        const auto area = juce::Rectangle<float> (x, 0.0f, (float) arrowWidth, (float) height).reduced (1.0f);
        const auto held = stepping == direction;
        g.setGradientFill (juce::ColourGradient::vertical (held ? juce::Colour (0xff6a6a6a) : juce::Colour (0xff333333), area.getY(),
                                                           held ? juce::Colour (0xff3a3a3a) : juce::Colour (0xff151515), area.getBottom()));
        g.fillRoundedRectangle (area, 2.0f);

        juce::Path arrow;
        const auto c = area.getCentre();
        arrow.addTriangle (c.x + 3.5f * (float) direction, c.y, c.x - 3.0f * (float) direction, c.y - 4.0f,
                           c.x - 3.0f * (float) direction, c.y + 4.0f);
        g.setColour (held ? juce::Colours::white : juce::Colour (0xffbbbbbb));
        g.fillPath (arrow);
    };
    drawArrow (0.0f, -1);
    drawArrow ((float) (width - arrowWidth), 1);

    g.setColour (juce::Colour (0xffeeeeee));
    g.setFont (Artwork::arial (13.0f));
    g.drawText (juce::String (value) + " ms", 28, 0, 140, height, juce::Justification::centred, false);
}
