#include "keyboard/PianoPad.h"

PianoPad::PianoPad (MidiCntrState& engine) : overlay (*this)
{
    // white keys first, so the black ones lie on top of them
    for (int offset = 0; offset < numKeys; ++offset)
        keys.add (new PianoKey (engine, offset));
    for (auto* key : keys)
        if (key->getType() == PianoKey::white)
            addAndMakeVisible (key);
    for (auto* key : keys)
        if (key->getType() == PianoKey::black)
            addAndMakeVisible (key);

    addAndMakeVisible (overlay);
    setScale (1.0f);
}

PianoPad::~PianoPad()
{
    releaseAll();
}

void PianoPad::setScale (float newScale)
{
    scale = newScale;
    for (auto* key : keys)
        key->setScale (scale);
    setSize (juce::roundToInt ((float) unitWidth * scale), juce::roundToInt ((float) unitHeight * scale));
    overlay.setBounds (getLocalBounds());
}

PianoKey* PianoPad::keyAt (juce::Point<float> p) noexcept
{
    if (p.x < 0.0f || p.y < 0.0f || p.y > (float) unitHeight)
        return nullptr;

    const auto amongBlacks = p.y < (float) PianoKey::blackHeight;
    PianoKey* found = nullptr;
    for (auto* key : keys)
        if ((amongBlacks || key->getType() == PianoKey::white) && (float) PianoKey::leftEdgeOf (key->getOffset()) <= p.x)
            found = key;
    return found != nullptr && found->isInRange() ? found : nullptr;
}

void PianoPad::releaseAll()
{
    for (auto* key : keys)
        key->release();
}

void PianoPad::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff1a1a1a));
}
