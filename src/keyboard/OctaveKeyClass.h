#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

class MidiCntrState;

/** The whole MIDI note range in miniature, with the span the on-screen keys cover left bright.
    Clicking or dragging picks the octave under the pointer: its C becomes the base note. */
class OctaveKeyClass : public juce::Component
{
public:
    static constexpr int unitWidth = 269, unitHeight = 16, highestBase = 72;
    static constexpr float drawScale = 0.7f;

    explicit OctaveKeyClass (MidiCntrState& engine);

    /** The keyboard's scale; the selector is drawn at 0.7 of it. */
    void setScale (float keyboardScale);
    /** The base note shown, limited to 0..72. */
    int getShownBase() const noexcept { return shownBase; }
    /** Shows the engine's base note (settings byte 221). */
    void refresh();

    /** Called after a click or drag chose another base note. */
    std::function<void()> onBaseChosen;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;

private:
    float unitsPerNote() const noexcept { return (float) unitWidth / 128.0f; }

    MidiCntrState& engine;
    float scale = drawScale;
    int shownBase = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OctaveKeyClass)
};
