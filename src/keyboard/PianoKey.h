#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MidiCntrState;

/** One key of the on-screen keyboard: a note at an offset from the base note (settings byte 221).
    The keyboard's overlay presses and releases it; it sends the note itself. */
class PianoKey : public juce::Component
{
public:
    enum Type
    {
        white = 0,
        black = 1
    };

    static constexpr int whiteWidth = 25, whiteHeight = 152, blackWidth = 16, blackHeight = 100;

    PianoKey (MidiCntrState& engine, int offset);

    int getOffset() const noexcept { return offset; }
    Type getType() const noexcept { return type; }
    bool isPressed() const noexcept { return pressed; }
    int getLastVelocity() const noexcept { return lastVelocity; }

    /** The key's rectangle at scale 1 in the keyboard's own units. */
    juce::Rectangle<int> getUnitBounds() const noexcept { return unitBounds; }
    void setScale (float scale);

    static Type typeOf (int offset) noexcept;
    /** Left edge of the key at `offset`, in units from the lowest key's left edge. */
    static int leftEdgeOf (int offset) noexcept;

    /** The note the key plays now: the base note (settings byte 221) plus its offset. */
    int getNote() const noexcept;
    /** Whether the key has a MIDI note to play; keys past note 127 are neither drawn nor played. */
    bool isInRange() const noexcept { return getNote() < 128; }

    /** What the key has printed on it: a C its note's name ("C2" for note 24), others nothing. */
    juce::String getCaption() const;

    /** Plays the note; y is the pointer's height on the key in units, which sets the velocity
        when settings byte 222 is 5 or less. */
    void press (float y);
    void release();

    void paint (juce::Graphics&) override;

private:
    MidiCntrState& engine;
    const int offset;
    const Type type;
    const juce::Rectangle<int> unitBounds;
    bool pressed = false;
    int lastVelocity = 0, sentNote = -1, sentChannel = 1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PianoKey)
};
