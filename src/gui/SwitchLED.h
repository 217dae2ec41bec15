#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** An on/off switch shown as an LED with a caption beside it. A press on the LED (x < 20)
    toggles it and sends a change message. */
class SwitchLED : public juce::Component,
                  public juce::ChangeBroadcaster
{
public:
    explicit SwitchLED (const juce::String& caption);

    bool isOn() const noexcept { return on; }
    void setOn (bool state);

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;

private:
    juce::String caption;
    bool on = false;
    juce::Image leds;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SwitchLED)
};
