#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MidiCntrState;

/** The pitch or modulation wheel of the on-screen keyboard, 0..127. Pushing it up raises the
    value; the pitch wheel springs back to its centre when let go, the modulation wheel stays.
    What the user does is sent to the instrument; what the instrument reports only moves it. */
class WheelCnt : public juce::Component
{
public:
    enum Kind
    {
        pitchWheel,
        modulationWheel
    };

    static constexpr int maximum = 127;
    // 64 × 128 = 8192, the wire's own centre: anything lower leaves the instrument flat.
    static constexpr int pitchCentre = 64;
    static constexpr int baseWidth = 31, baseHeight = 112;
    static constexpr int numFrames = 35, framePitch = 54, cellWidth = 55, cellHeight = 200;

    WheelCnt (MidiCntrState& engine, Kind kind);

    Kind getKind() const noexcept { return kind; }
    int getValue() const noexcept { return value; }

    /** The instrument moved its wheel: shown, never sent back. */
    void setValueFromInstrument (int v);

    /** Sizes the wheel to 31 × 112 times the keyboard's scale. */
    void setScale (float scale);

    /** The film-strip frame the value shows. */
    static int frameFor (int v) noexcept { return (int) (v * 0.268); }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;

private:
    void moveTo (int v);
    void send();

    MidiCntrState& engine;
    const Kind kind;
    int value;
    int pressY = 0, valueAtPress = 0;
    juce::Image strip;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WheelCnt)
};
