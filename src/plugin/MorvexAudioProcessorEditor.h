#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

class MorvexAudioProcessor;
class MainComp;

/** The plug-in's window: hosts the main editor, a resizing corner and the tooltips. */
class MorvexAudioProcessorEditor : public juce::AudioProcessorEditor,
                                   private juce::ChangeListener
{
public:
    static constexpr int minWidth = 454, maxWidth = 2426;
    static constexpr int minHeight = 298, maxHeight = 644;
    static constexpr int cornerSize = 16;

    explicit MorvexAudioProcessorEditor (MorvexAudioProcessor&);

    /** The size the window opens at: the one stored in the settings (bytes 20 and 24) when both
        are plausible; otherwise, per dimension, the stored one if it fits the screen, else a
        default for the screen. Always within the size limits and, above the minimum, the screen. */
    static juce::Point<int> initialSize (int storedWidth, int storedHeight, int screenWidth, int screenHeight) noexcept;
    ~MorvexAudioProcessorEditor() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    MainComp* getMainComp() const noexcept { return mainComp.get(); }

private:
    void changeListenerCallback (juce::ChangeBroadcaster*) override;

    std::unique_ptr<MainComp> mainComp;
    std::unique_ptr<juce::ResizableCornerComponent> corner;
    juce::TooltipWindow tooltips { this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MorvexAudioProcessorEditor)
};
