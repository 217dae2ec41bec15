#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class PianoPad;
class PianoKey;

/** Lies over the keys and plays them with the mouse: a press plays the key under the pointer, a
    drag glides from key to key (each note going up as the next starts), a release lets every key
    go. */
class KeyOverlay : public juce::Component
{
public:
    explicit KeyOverlay (PianoPad& pad);

    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    PianoKey* keyUnder (const juce::MouseEvent& e) const;
    float unitY (const juce::MouseEvent& e) const;

    PianoPad& pad;
    PianoKey* dragged = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyOverlay)
};
