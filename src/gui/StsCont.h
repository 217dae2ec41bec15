#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MidiCntrState;
class StsResor;

/** The front panel's control for one program parameter: a knob with its value text, a push
    switch with one LED, one half of a split switch, or a switch with two LEDs.

    The control keeps no value of its own: the value is byte [parameter] of the current program,
    read and written through the engine, so a refresh always reproduces the record. A gesture
    stores the new value, reports it to the host and sends it to the instrument; `showValue` only
    shows a value that arrived from elsewhere. */
class StsCont : public juce::Component,
                public juce::ChangeBroadcaster,
                public juce::TooltipClient
{
public:
    enum KnobLook
    {
        fluted,  // the instrument's own knob
        skirted  // the larger cap of the main pitch and cutoff knobs
    };

    static constexpr int frames = 60; // the knob's travel in 61 positions

    /** `unitBounds` is the control's rectangle on the panel at zoom 1. */
    StsCont (MidiCntrState& engine, const StsResor& images, int parameter, int kind, int displayFormat,
             juce::Rectangle<int> unitBounds);

    int getParameter() const noexcept { return parameter; }
    int getKind() const noexcept { return kind; }
    juce::Rectangle<int> getUnitBounds() const noexcept { return unitBounds; }

    /** Takes the rectangle × zoom. */
    void setZoom (float z);
    float getZoom() const noexcept { return zoom; }

    /** The stored value: byte [parameter] of the current program. */
    int getValue() const noexcept;
    int getFrame() const noexcept { return frame; }
    const juce::String& getDisplayText() const noexcept { return displayText; }
    bool isPressed() const noexcept { return pressed; }
    bool isRepaintPending() const noexcept { return repaintPending; }

    /** Which LEDs are lit: bit 0 the left (or only) one, bit 1 the right one. */
    int litLeds() const noexcept;

    /** An edit from elsewhere (the instrument, the host, a program load), already stored by
        whoever made it: shows v, clamped to the parameter's range. Nothing is written or sent. */
    void showValue (int v);

    /** An edit made on the panel: clamps v, stores it, reports it to the host and sends it. For
        the envelope parameters a change message follows, so the graph can follow. */
    void applyValue (int v);

    /** Whether the value differs from the stored program's: a small amber mark shows it. */
    void setEdited (bool isEdited);
    bool isEdited() const noexcept { return edited; }

    /** The parameter's name and its value, for the pointer resting on the control. */
    juce::String getTooltip() override;

    /** Pixels per step of a drag, for the few-valued knobs and the others; Shift divides the
        pace by `fineFactor`. */
    static constexpr double coarsePixels = 15.0, finePixels = 1.5, fineFactor = 8.0;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void visibilityChanged() override;

private:
    bool isKnob() const noexcept;
    bool isSwitch() const noexcept;
    /** Frame and text for value v; repaints, or marks a repaint while hidden. */
    void display (int v);
    void paintKnob (juce::Graphics& g) const;
    void paintSwitch (juce::Graphics& g) const;
    void paintMark (juce::Graphics& g) const;
    /** Stores a value already in range, reports it to the host and sends it. */
    void store (int value);
    /** A press or a drag leaves COMPARE first, so it always edits the user's own sound. */
    void leaveCompare();

    MidiCntrState& engine;
    const StsResor& images;
    const int parameter, kind, displayFormat;
    const juce::Rectangle<int> unitBounds;
    const KnobLook look;
    const juce::Image switchCap, leds;

    float zoom = 1.0f;
    int frame = 0;
    juce::String displayText;
    juce::Point<int> pressPosition;
    int valueAtPress = 0;
    bool pressed = false, repaintPending = false, edited = false, fineAtPress = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StsCont)
};
