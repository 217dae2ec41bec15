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
    dragged = keyUnder (e);
    if (dragged != nullptr)
        dragged->press (unitY (e));
}

void KeyOverlay::mouseDrag (const juce::MouseEvent& e)
{
    // gliding over the keys: the key left goes up as the one reached sounds, with no gap and no
    // second drag step needed to play it
    auto* key = keyUnder (e);
    if (key == dragged)
        return;

    if (dragged != nullptr)
        dragged->release();
    dragged = key;
    if (key != nullptr)
        key->press (unitY (e));
}

void KeyOverlay::mouseUp (const juce::MouseEvent&)
{
    pad.releaseAll();
    dragged = nullptr;
}
