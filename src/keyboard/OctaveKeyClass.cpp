#include "keyboard/OctaveKeyClass.h"
#include "keyboard/PianoPad.h"
#include "midi/MidiCntrState.h"

OctaveKeyClass::OctaveKeyClass (MidiCntrState& e) : engine (e)
{
    setScale (1.0f);
    refresh();
}

void OctaveKeyClass::setScale (float keyboardScale)
{
    scale = drawScale * keyboardScale;
    setSize (juce::roundToInt ((float) unitWidth * scale), juce::roundToInt ((float) unitHeight * scale));
}

void OctaveKeyClass::refresh()
{
    shownBase = juce::jlimit (0, highestBase, (int) engine.getSettings().getByte (SettingsBlock::keyBaseNoteOffset));
    repaint();
}

void OctaveKeyClass::mouseDown (const juce::MouseEvent& e)
{
    mouseDrag (e);
}

void OctaveKeyClass::mouseDrag (const juce::MouseEvent& e)
{
    const auto note = (int) (e.position.x / scale / unitsPerNote());
    const auto base = juce::jlimit (0, highestBase, (note / 12) * 12);
    if (base == engine.getSettings().getByte (SettingsBlock::keyBaseNoteOffset))
        return;

    engine.getSettings().setByte (SettingsBlock::keyBaseNoteOffset, (uint8_t) base);
    refresh();
    if (onBaseChosen)
        onBaseChosen();
}

void OctaveKeyClass::paint (juce::Graphics& g)
{
    const auto s = scale, u = unitsPerNote();
    const auto h = (float) unitHeight * s;
    g.fillAll (juce::Colour (0xff0b0b0b));

    // every note: a white key's strip, black ones as a darker tick in its upper part
    for (int note = 0; note < 128; ++note)
    {
        const auto x = (float) note * u * s;
        const auto isBlack = PianoKey::typeOf (note) == PianoKey::black;
        g.setColour (isBlack ? juce::Colour (0xff202020) : juce::Colour (0xffd8d6d0));
        if (isBlack)
            g.fillRect (x, 0.0f, u * s, h * 0.6f);
        else
            g.fillRect (x, h * 0.6f, u * s, h * 0.4f);
    }

    // the on-screen keys' span bright, the rest in shadow
    const auto left = (float) shownBase * u * s, right = (float) (shownBase + PianoPad::numKeys) * u * s;
    g.setColour (juce::Colours::black.withAlpha (0.62f));
    g.fillRect (0.0f, 0.0f, left, h);
    g.fillRect (right, 0.0f, (float) getWidth() - right, h);
    g.setColour (juce::Colour (0xffe0402a));
    g.drawRect (juce::Rectangle<float> (left, 0.0f, right - left, h), 1.0f);
}
