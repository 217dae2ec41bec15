#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The bar's three-bar button, which opens the preset manager: notifies on release. */
class AppSetBarBut : public juce::Component,
                     public juce::SettableTooltipClient,
                     public juce::ChangeBroadcaster
{
public:
    AppSetBarBut();

    void paint (juce::Graphics&) override;
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    bool hover = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AppSetBarBut)
};
