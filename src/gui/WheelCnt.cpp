#include "gui/WheelCnt.h"
#include "gui/Artwork.h"
#include "midi/MidiCntrState.h"

WheelCnt::WheelCnt (MidiCntrState& e, Kind wheelKind)
    : engine (e), kind (wheelKind), value (wheelKind == pitchWheel ? pitchCentre : 0), strip (Artwork::get ("wheel_strip_png"))
{
    setSize (baseWidth, baseHeight);
}

void WheelCnt::setScale (float scale)
{
    setSize (juce::roundToInt ((float) baseWidth * scale), juce::roundToInt ((float) baseHeight * scale));
}

void WheelCnt::setValueFromInstrument (int v)
{
    const auto clamped = juce::jlimit (0, maximum, v);
    if (clamped != value)
    {
        value = clamped;
        repaint();
    }
}

void WheelCnt::moveTo (int v)
{
    const auto clamped = juce::jlimit (0, maximum, v);
    if (clamped == value)
        return;

    value = clamped;
    repaint();
    send();
}

void WheelCnt::send()
{
    const auto channel = engine.getMidiChannel();
    if (kind == pitchWheel)
        engine.sendPitchWheelToAll (channel, value * 128);
    else
        engine.sendController (channel, 1, value);
}

void WheelCnt::mouseDown (const juce::MouseEvent& e)
{
    pressY = e.y;
    valueAtPress = value;
}

void WheelCnt::mouseDrag (const juce::MouseEvent& e)
{
    moveTo (valueAtPress + (pressY - e.y));
}

void WheelCnt::mouseUp (const juce::MouseEvent&)
{
    if (kind == pitchWheel)
        moveTo (pitchCentre);
}

void WheelCnt::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY > 0.0f)
        moveTo (value + 1);
    else if (wheel.deltaY < 0.0f)
        moveTo (value - 1);
}

void WheelCnt::paint (juce::Graphics& g)
{
    const auto area = getLocalBounds().toFloat();
    if (strip.isValid())
    {
        Artwork::drawCell (g, strip, frameFor (value), framePitch, cellWidth, cellHeight, area);
        return;
    }

    // The slot and a rubber wheel turning in it, its ridge marking the value.
    g.setColour (juce::Colour (0xff050505));
    g.fillRoundedRectangle (area, 3.0f);

    const auto wheel = area.reduced (area.getWidth() * 0.18f, area.getHeight() * 0.04f);
    juce::ColourGradient shade (juce::Colour (0xff101010), wheel.getX(), wheel.getY(), juce::Colour (0xff101010), wheel.getX(), wheel.getBottom(), false);
    shade.addColour (0.5, juce::Colour (0xff3a3a3a));
    g.setGradientFill (shade);
    g.fillRoundedRectangle (wheel, 2.0f);

    const auto travel = wheel.getHeight() * 0.8f;
    const auto ridgeY = wheel.getCentreY() + travel * (0.5f - (float) value / (float) maximum);
    g.setColour (juce::Colour (0xffd0d0d0));
    g.fillRect (wheel.getX(), ridgeY - 1.0f, wheel.getWidth(), 2.0f);

    g.setColour (juce::Colour (0xff2a2a2a));
    g.drawRoundedRectangle (area.reduced (0.5f), 3.0f, 1.0f);
}
