#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The editor panel's horizontal scrollbar: 14 pixels high, an arrow at each end that steps by
    one and repeats while held, and a 60-pixel thumb that follows the pointer. A change of the
    position sends a change message. */
class HorScrollClass : public juce::Component,
                       public juce::ChangeBroadcaster,
                       public juce::Timer
{
public:
    static constexpr int thickness = 14, arrowLength = 14, thumbLength = 60;
    static constexpr int repeatMs = 500;

    HorScrollClass();

    int getPosition() const noexcept { return position; }
    void setPosition (int newPosition, juce::NotificationType notification = juce::dontSendNotification);
    int getMaximum() const noexcept { return maximum; }
    void setMaximum (int newMaximum);

    /** The position that puts the thumb's centre under x (before clamping to the range). */
    int positionAt (int x) const noexcept;
    juce::Rectangle<int> getThumbBounds() const noexcept;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void timerCallback() override;

private:
    int travel() const noexcept { return getWidth() - thumbLength - 2 * arrowLength; }

    int position = 0, maximum = 100;
    int stepping = 0;
    bool dragging = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HorScrollClass)
};
