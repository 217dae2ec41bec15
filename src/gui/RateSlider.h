#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A 200 × 18 slider for a time in milliseconds, 0 to a maximum, with a step arrow at each end
    that repeats while it is held. A change made with the mouse sends a change message. */
class RateSlider : public juce::Component,
                   public juce::ChangeBroadcaster,
                   public juce::Timer
{
public:
    static constexpr int width = 200, height = 18;
    static constexpr int arrowWidth = 18, barLength = 164;
    static constexpr int repeatMs = 100;

    RateSlider();

    int getValue() const noexcept { return value; }
    /** The owner's setting: clamped, shown, not reported unless asked. */
    void setValue (int v, juce::NotificationType notification = juce::dontSendNotification);

    int getMaximum() const noexcept { return maximum; }
    void setMaximum (int newMaximum);

    /** Pixels per millisecond along the bar. */
    double scale() const noexcept { return (double) barLength / (double) maximum; }

    /** The arrow being held: -1 left, +1 right, 0 none. */
    int getStepping() const noexcept { return stepping; }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void timerCallback() override;

private:
    void setFromBar (int x);

    int value = 0, maximum = 1000;
    int stepping = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RateSlider)
};
