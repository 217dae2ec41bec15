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

    // A black key lies over the edges of the two white keys beside it: within its own span it is
    // the key played, and only outside every black key the white key under the pointer.
    const auto within = [&p] (const PianoKey* key, bool black)
    {
        return key->getType() == (black ? PianoKey::black : PianoKey::white)
            && (float) key->getUnitBounds().getX() <= p.x && p.x < (float) key->getUnitBounds().getRight();
    };

    PianoKey* found = nullptr;
    if (p.y < (float) PianoKey::blackHeight)
        for (auto* key : keys)
            if (within (key, true))
                found = key;
    if (found == nullptr)
        for (auto* key : keys)
            if (within (key, false))
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
