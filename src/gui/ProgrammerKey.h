#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** One of the programmer's keys, over its cap printed on the panel: it acts when pressed, as
    the instrument's keys do, shows the press, and an LED in the cap lights when the key's mode or
    program is in use. A key with nothing to do in the editor is drawn greyed and takes no press.
    A press sends a change message; the listener reads the key's index. */
class ProgrammerKey : public juce::Component,
                      public juce::ChangeBroadcaster,
                      public juce::SettableTooltipClient
{
public:
    explicit ProgrammerKey (int index);

    int getIndex() const noexcept { return index; }

    void setLit (bool on);
    bool isLit() const noexcept { return lit; }
    void setActive (bool on);
    bool isActive() const noexcept { return active; }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    const int index;
    bool lit = false, held = false, active = true;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProgrammerKey)
};
