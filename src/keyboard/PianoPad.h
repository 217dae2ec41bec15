#pragma once

#include "keyboard/KeyOverlay.h"
#include "keyboard/PianoKey.h"

/** The 65 keys of the on-screen keyboard (38 white, from the base note up) with the overlay that
    takes the mouse over them. */
class PianoPad : public juce::Component
{
public:
    static constexpr int numKeys = 65;
    static constexpr int numWhiteKeys = 38;
    static constexpr int unitWidth = numWhiteKeys * PianoKey::whiteWidth, unitHeight = PianoKey::whiteHeight;

    explicit PianoPad (MidiCntrState& engine);
    /** Lets every key still held go, so no note outlives the keyboard. */
    ~PianoPad() override;

    void setScale (float newScale);
    float getScale() const noexcept { return scale; }

    PianoKey& getKey (int offset) noexcept { return *keys[juce::jlimit (0, numKeys - 1, offset)]; }
    KeyOverlay& getOverlay() noexcept { return overlay; }

    /** The key under a point in units: a black key within its own span, else the white key
        there. Null outside the keys and for a key past MIDI note 127. */
    PianoKey* keyAt (juce::Point<float> unitPosition) noexcept;

    void releaseAll();
    void paint (juce::Graphics&) override;

private:
    juce::OwnedArray<PianoKey> keys;
    KeyOverlay overlay;
    float scale = 1.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PianoPad)
};
