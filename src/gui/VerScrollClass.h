#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The vertical twin of HorScrollClass: 14 pixels wide, a step arrow at each end that repeats
    while held, a page step for a click on the track beside the thumb, and the thumb dragged with
    the pointer. A change of the position sends a change message. */
class VerScrollClass : public juce::Component,
                       public juce::ChangeBroadcaster,
                       public juce::Timer
{
public:
    static constexpr int thickness = 14, arrowLength = 14, thumbLength = 60;
    static constexpr int repeatMs = 500;

    VerScrollClass();

    int getPosition() const noexcept { return position; }
    void setPosition (int newPosition, juce::NotificationType notification = juce::dontSendNotification);
    int getMaximum() const noexcept { return maximum; }
    void setMaximum (int newMaximum);
    int getPageStep() const noexcept { return pageStep; }
    void setPageStep (int step) { pageStep = juce::jmax (1, step); }

    /** The position that puts the thumb's centre under y (before clamping to the range). */
    int positionAt (int y) const noexcept;
    juce::Rectangle<int> getThumbBounds() const noexcept;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void timerCallback() override;

private:
    int travel() const noexcept { return getHeight() - thumbLength - 2 * arrowLength; }

    int position = 0, maximum = 100, pageStep = 10;
    int stepping = 0;
    bool dragging = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VerScrollClass)
};
