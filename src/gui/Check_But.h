#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A check box with an optional caption. A press toggles it (showing the pressed image until the
    release) and sends a change message. */
class Check_But : public juce::Component,
                  public juce::SettableTooltipClient,
                  public juce::ChangeBroadcaster
{
public:
    explicit Check_But (const juce::String& caption = {});

    bool isChecked() const noexcept { return checked; }
    void setChecked (bool state);

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    juce::String caption;
    bool checked = false, pressed = false;
    juce::Image boxes;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Check_But)
};
