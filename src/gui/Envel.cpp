#include "gui/Envel.h"

#include <cmath>

Envel::Envel (int s, juce::Image bg) : section (s), background (std::move (bg))
{
    setSize (baseWidth, baseHeight);
    computeCorners();
}

Envel::~Envel()
{
    stopTimer();
}

float Envel::getStage (int stage) const noexcept
{
    return values[(size_t) juce::jlimit (0, 3, stage)];
}

void Envel::setStage (int stage, float value) noexcept
{
    if (juce::isPositiveAndBelow (stage, 4))
        values[(size_t) stage] = juce::jlimit (0.0f, (float) maximumValue, value);
}

void Envel::recompute()
{
    computeCorners();
    if (isShowing())
        repaint();
    else
        repaintPending = true;
}

void Envel::setScale (float newScale)
{
    scale = newScale;
    setSize (juce::roundToInt ((float) baseWidth * scale), juce::roundToInt ((float) baseHeight * scale));
    computeCorners();
    repaint();
}

void Envel::computeCorners() noexcept
{
    const auto baseline = top + height;
    auto x = originX;
    corners[0] = { x, baseline };
    x += unit * values[attackStage];
    corners[1] = { x, top };
    x += unit * values[decayStage];
    const auto sustainY = baseline - unit * values[sustainStage];
    corners[2] = { x, sustainY };
    // the sustain stage has no time of its own: it is drawn the same length whatever the values
    x += unit * sustainLength;
    corners[3] = { x, sustainY };
    x += unit * values[releaseStage];
    corners[4] = { x, baseline };

    polygon.clear();
    polygon.startNewSubPath (corners[0] * scale);
    for (size_t i = 1; i < corners.size(); ++i)
        polygon.lineTo (corners[i] * scale);
    polygon.closeSubPath();
}

int Envel::handleAt (juce::Point<float> p) const noexcept
{
    const auto t = tolerance * scale;
    const auto near = [t] (float a, float b) { return std::abs (a - b) <= t; };
    const auto at = [this] (size_t i) { return corners[i] * scale; };
    const auto baseline = (top + height) * scale;

    if (near (p.x, at (1).x) && near (p.y, at (1).y))
        return attackHandle;
    if (near (p.x, at (4).x) && near (p.y, baseline))
        return releaseHandle;
    if (p.x >= at (2).x - t && p.x <= at (3).x + t && near (p.y, at (2).y))
        return decaySustainHandle;
    return noHandle;
}

void Envel::setState (int newState)
{
    state = newState;
    sendSynchronousChangeMessage();
}

void Envel::paint (juce::Graphics& g)
{
    repaintPending = false;
    if (background.isValid())
        g.drawImage (background, getLocalBounds().toFloat());
    else
        g.fillAll (juce::Colour (0xff101212));

    g.setColour (juce::Colour (0x66cdcdcd));
    g.fillPath (polygon);
    g.setColour (juce::Colour (0xffcccccc));
    g.strokePath (polygon, juce::PathStrokeType (1.1f));
}

void Envel::visibilityChanged()
{
    if (repaintPending && isShowing())
        repaint();
}

void Envel::mouseMove (const juce::MouseEvent& e)
{
    setMouseCursor (handleAt (e.position) != noHandle ? juce::MouseCursor::DraggingHandCursor
                                                       : juce::MouseCursor::NormalCursor);
}

void Envel::mouseDown (const juce::MouseEvent& e)
{
    // a release not yet reported is overtaken by the new press
    stopTimer();
    handle = noHandle;
    if (e.mods.isRightButtonDown() || scale < minimumScale)
    {
        setState (ignoredClick);
        return;
    }

    if (! e.mods.isLeftButtonDown())
        return;

    handle = handleAt (e.position);
    if (handle == noHandle)
        return;

    pressPosition = lastPosition = e.getPosition();
    valuesAtPress = values;
    dx = dy = 0;
    setState (pressedOnHandle);
}

void Envel::mouseDrag (const juce::MouseEvent& e)
{
    if (handle == noHandle)
        return;

    // An offset is only taken anew along the axis the pointer moved on, so a purely vertical
    // move never disturbs what a horizontal one set.
    const auto position = e.getPosition();
    if (position.x != lastPosition.x)
        dx = (int) std::lround ((float) (position.x - pressPosition.x) / pixelsPerStep);
    if (position.y != lastPosition.y)
        dy = (int) std::lround ((float) (pressPosition.y - position.y) / pixelsPerStep);
    lastPosition = position;

    const auto before = values;
    const auto moved = [this] (int stage, int offset)
    {
        values[(size_t) stage] = juce::jlimit (0.0f, (float) maximumValue, valuesAtPress[(size_t) stage] + (float) offset);
    };

    switch (handle)
    {
        case attackHandle:       moved (attackStage, dx); break;
        case decaySustainHandle: moved (decayStage, dx); moved (sustainStage, dy); break;
        case releaseHandle:      moved (releaseStage, dx); break;
        default: break;
    }

    if (values == before)
        return;

    for (auto& v : values)
        v = std::trunc (v);
    computeCorners();
    repaint();
    setState (dragging);
}

void Envel::mouseUp (const juce::MouseEvent& e)
{
    // The owner hears of a release a moment later, after the last drag step has settled.
    if (e.mods.isLeftButtonDown())
        startTimer (releaseDelayMs);
    handle = noHandle;
}

void Envel::timerCallback()
{
    stopTimer();
    setState (released);
}
