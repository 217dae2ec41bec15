#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** What the editor's two scrollbars share: 14 pixels across, an arrow at each end that steps by
    one and repeats while held, a 60-pixel thumb dragged with the pointer, and a position from 0
    to a maximum whose changes send a change message. They differ along their axis and in what a
    press on the track beside the thumb does. */
class ScrollTrack : public juce::Component,
                    public juce::ChangeBroadcaster,
                    public juce::Timer
{
public:
    static constexpr int thickness = 14, arrowLength = 14, thumbLength = 60;
    static constexpr int repeatMs = 500;

    int getPosition() const noexcept { return position; }
    void setPosition (int newPosition, juce::NotificationType notification = juce::dontSendNotification);
    int getMaximum() const noexcept { return maximum; }
    void setMaximum (int newMaximum);

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
    int travel() const noexcept { return length() - thumbLength - 2 * arrowLength; }
    void paintArrow (juce::Graphics& g, juce::Rectangle<float> area, float direction, bool held) const;

    const bool vertical;
    int position = 0, maximum = 100;
    int stepping = 0;
    bool dragging = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ScrollTrack)
};
