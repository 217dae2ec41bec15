#include "gui/ProgrammerKey.h"

ProgrammerKey::ProgrammerKey (int i) : index (i)
{
    setRepaintsOnMouseActivity (false);
}

void ProgrammerKey::setLit (bool on)
{
    if (lit != on)
    {
        lit = on;
        repaint();
    }
}

void ProgrammerKey::setActive (bool on)
{
    if (active != on)
    {
        active = on;
        setMouseCursor (on ? juce::MouseCursor::PointingHandCursor : juce::MouseCursor::NormalCursor);
        repaint();
    }
}

void ProgrammerKey::paint (juce::Graphics& g)
{
    // the cap itself is printed with the panel; this draws only what changes on it
    const auto cap = getLocalBounds().toFloat();
    const auto corner = 2.5f * cap.getHeight() / 18.0f;

    if (! active)
    {
        g.setColour (juce::Colours::black.withAlpha (0.55f));
        g.fillRoundedRectangle (cap, corner);
        return;
    }

    if (held)
    {
        g.setColour (juce::Colours::black.withAlpha (0.45f));
        g.fillRoundedRectangle (cap, corner);
    }

    // the LED in the cap's top middle, glowing when lit
    const auto d = juce::jmax (3.0f, cap.getHeight() * 0.28f);
    const auto led = juce::Rectangle<float> (d, d).withCentre ({ cap.getCentreX(), cap.getY() + cap.getHeight() * 0.32f });
    if (lit)
    {
        g.setGradientFill (juce::ColourGradient (juce::Colour (0x90ff2a1a), led.getCentre(), juce::Colour (0x00ff2a1a),
                                                 led.getCentre().translated (d * 1.4f, 0.0f), true));
        g.fillEllipse (led.expanded (d * 0.9f));
        g.setColour (juce::Colour (0xffff4a30));
    }
    else
    {
        g.setColour (juce::Colour (0xff3a1010));
    }
    g.fillEllipse (led);
}

void ProgrammerKey::mouseDown (const juce::MouseEvent& e)
{
    if (! active || ! e.mods.isLeftButtonDown())
        return;
    held = true;
    repaint();
    sendSynchronousChangeMessage();
}

void ProgrammerKey::mouseUp (const juce::MouseEvent&)
{
    if (std::exchange (held, false))
        repaint();
}
