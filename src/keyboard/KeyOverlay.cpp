#include "keyboard/KeyOverlay.h"
#include "keyboard/PianoPad.h"

KeyOverlay::KeyOverlay (PianoPad& p) : pad (p) {}

float KeyOverlay::unitY (const juce::MouseEvent& e) const
{
    return e.position.y / juce::jmax (0.01f, pad.getScale());
}

PianoKey* KeyOverlay::keyUnder (const juce::MouseEvent& e) const
{
    return pad.keyAt (e.position / juce::jmax (0.01f, pad.getScale()));
}

void KeyOverlay::mouseDown (const juce::MouseEvent& e)
{
    dragged = nullptr;
    if (auto* key = keyUnder (e))
        key->press (unitY (e));
}

void KeyOverlay::mouseDrag (const juce::MouseEvent& e)
{
    // gliding over the keys: the key left goes up, the next drag step plays the one reached
    auto* key = keyUnder (e);
    if (key == dragged)
        return;

    if (dragged == nullptr)
    {
        if (key != nullptr)
            key->press (unitY (e));
        dragged = key;
    }
    else
    {
        dragged->release();
        dragged = nullptr;
    }
}

void KeyOverlay::mouseUp (const juce::MouseEvent&)
{
    pad.releaseAll();
    dragged = nullptr;
}
