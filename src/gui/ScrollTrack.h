#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** What the editor's two scrollbars share: 14 pixels across, an arrow at each end that steps and
    repeats faster and faster while held, a thumb dragged with the pointer, and a position from 0
    to a maximum whose changes send a change message. The thumb is 60 pixels long, or, once told
    how much of the range is in view, as long against the track as that part against the whole.
    They differ along their axis and in what a press on the track beside the thumb does. */
class ScrollTrack : public juce::Component,
                    public juce::ChangeBroadcaster,
                    public juce::Timer
{
public:
    static constexpr int thickness = 14, arrowLength = 14, thumbLength = 60, minThumbLength = 20;
    /** A held arrow steps again after the first delay, then each time a little sooner, down to
        the fastest: a short press moves one step, a long one crosses the range in a second or two. */
    static constexpr int firstRepeatMs = 400, fastestRepeatMs = 40;

    int getPosition() const noexcept { return position; }
    void setPosition (int newPosition, juce::NotificationType notification = juce::dontSendNotification);
    int getMaximum() const noexcept { return maximum; }
    void setMaximum (int newMaximum);
    /** How far one press of an arrow moves (at least 1). */
    void setStep (int units) noexcept { step = juce::jmax (1, units); }
    int getStep() const noexcept { return step; }
    /** How much of the range is in view, in the position's units; 0 for the fixed thumb. */
    void setVisibleAmount (int units);
    int getThumbLength() const noexcept;

    /** The position that puts the thumb's centre at `along` pixels down the track (before clamping
        to the range). */
    int positionAt (int along) const noexcept;
    juce::Rectangle<int> getThumbBounds() const noexcept;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void timerCallback() override;

protected:
    explicit ScrollTrack (bool vertical);

    /** A press on the track, outside the arrows, at `along` pixels; returns whether a thumb drag
        starts. */
    virtual bool trackPressed (int along) = 0;

private:
    int alongOf (const juce::MouseEvent& e) const noexcept { return vertical ? e.y : e.x; }
    int length() const noexcept { return vertical ? getHeight() : getWidth(); }
    int travel() const noexcept { return length() - getThumbLength() - 2 * arrowLength; }
    int positionForThumbAt (int thumbStart) const noexcept;
    void paintArrow (juce::Graphics& g, juce::Rectangle<float> area, float direction, bool held) const;

    const bool vertical;
    int position = 0, maximum = 100;
    int stepping = 0, step = 1, visibleAmount = 0;
    bool dragging = false;
    /** Where along the thumb the pointer holds it. */
    int grabOffset = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ScrollTrack)
};
