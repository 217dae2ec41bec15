#pragma once

#include "gui/Lib_Manager_Comp.h"

/** The library window: a top-level window of its own without a title bar (its content's header
    moves it), created on first use and then only hidden, so its views stay as they were. */
class Lib_Manager_Win : public juce::DocumentWindow
{
public:
    Lib_Manager_Win (MorvexAudioProcessor& processor, FileMan::Chooser chooser);

    Lib_Manager_Comp& getContent() noexcept { return *content; }
    void closeButtonPressed() override;

private:
    Lib_Manager_Comp* content = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Lib_Manager_Win)
};
