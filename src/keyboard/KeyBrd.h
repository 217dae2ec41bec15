#pragma once

#include "gui/WheelCnt.h"
#include "keyboard/KeyPlayClass.h"
#include "keyboard/OctaveKeyClass.h"
#include "keyboard/PianoPad.h"
#include "keyboard/VelIndClass.h"

/** The strip under the front panel for auditioning: the velocity indicator, the pitch and
    modulation wheels, the octave selector, 65 keys and the computer-key player, with the
    instrument's state on its top line. The top line also moves the strip up and down; letting go
    sends a change message so the editor keeps the place. */
class KeyBrd : public juce::Component,
               public juce::ChangeBroadcaster
{
public:
    static constexpr int baseHeight = 172, topLine = 20, gripFreeRight = 60;

    explicit KeyBrd (MidiCntrState& engine);
    ~KeyBrd() override;

    /** Places the strip at (0, y), width × height, and its children at their places × scale. */
    void setScale (float newScale, int y, int width, int height);
    float getScale() const noexcept { return scale; }

    /** The lowest and highest y the strip may be moved to. */
    void setMoveLimits (int top, int bottom) noexcept { minY = top; maxY = bottom; }

    /** Shows the engine's base note (settings byte 221) on the octave selector and the keys. */
    void showBaseNote();

    void setStatus (const juce::String& text);
    const juce::String& getStatus() const noexcept { return status; }

    VelIndClass& getVelocityIndicator() noexcept { return velocity; }
    WheelCnt& getPitchWheel() noexcept           { return pitch; }
    WheelCnt& getModWheel() noexcept             { return modulation; }
    PianoPad& getKeys() noexcept                 { return keys; }
    OctaveKeyClass& getOctaveSelector() noexcept { return octave; }
    KeyPlayClass& getKeyPlayer() noexcept        { return player; }

    void paint (juce::Graphics&) override;
    void mouseMove (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    bool inGrip (juce::Point<int> p) const noexcept;

    MidiCntrState& engine;
    VelIndClass velocity;
    WheelCnt pitch, modulation;
    PianoPad keys;
    OctaveKeyClass octave;
    KeyPlayClass player;
    juce::String status { "OFF-LINE" };
    float scale = 1.0f;
    int minY = 24, maxY = 10000;
    bool moving = false;
    int pressScreenY = 0, yAtPress = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyBrd)
};
