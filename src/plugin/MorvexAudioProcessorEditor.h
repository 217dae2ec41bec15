#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

class MorvexAudioProcessor;

/** The plug-in's window: hosts the main editor, a resizing corner and the tooltips. */
class MorvexAudioProcessorEditor : public juce::AudioProcessorEditor
{
public:
    static constexpr int minWidth = 454, maxWidth = 2426;
    static constexpr int minHeight = 298, maxHeight = 644;
    static constexpr int cornerSize = 16;

    explicit MorvexAudioProcessorEditor (MorvexAudioProcessor&);
    ~MorvexAudioProcessorEditor() override;

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    std::unique_ptr<juce::ResizableCornerComponent> corner;
    juce::TooltipWindow tooltips { this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MorvexAudioProcessorEditor)
};
