#include "gui/Lib_Manager_Win.h"

Lib_Manager_Win::Lib_Manager_Win (MorvexAudioProcessor& processor, FileMan::Chooser chooser)
    : juce::DocumentWindow ({}, juce::Colours::black, 0, true)
{
    setTitleBarHeight (0);
    setUsingNativeTitleBar (false);
    content = new Lib_Manager_Comp (processor, *this, std::move (chooser));
    setContentOwned (content, true);
}

void Lib_Manager_Win::closeButtonPressed()
{
    content->close();
}
