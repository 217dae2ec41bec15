#pragma once

#include "gui/EditorLayout.h"

#include <juce_audio_processors/juce_audio_processors.h>

class MorvexAudioProcessor;
class MainComp;

/** The plug-in's window: hosts the main editor, a resizing corner and the tooltips. */
class MorvexAudioProcessorEditor : public juce::AudioProcessorEditor,
                                   private juce::ChangeListener
{
public:
    // The smallest window still shows the whole application bar, the panel at half size, the edit
    // bar and every key of the keyboard strip.
    static constexpr int minWidth = 640, maxWidth = 2426;
    static constexpr int minHeight = 396, maxHeight = 644;
    static constexpr int cornerSize = 16;

    explicit MorvexAudioProcessorEditor (MorvexAudioProcessor&);

    /** The size and zoom the window opens at: the size stored in the settings (bytes 20 and 24)
        with the stored zoom, kept within the size limits and, above the minimum, the screen; with
        no size stored (a first opening), the size and zoom that show the whole panel on that
        screen. */
    static EditorLayout::Opening initialSize (int storedWidth, int storedHeight, float storedZoom,
                                              int screenWidth, int screenHeight) noexcept;
    ~MorvexAudioProcessorEditor() override;

    void paint (juce::Graphics&) override;
    void resized() override;
    /** The pointer over any part of the window: the tooltips start (see `tooltips`). */
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseMove (const juce::MouseEvent&) override;

    MainComp* getMainComp() const noexcept { return mainComp.get(); }

private:
    void changeListenerCallback (juce::ChangeBroadcaster*) override;

    std::unique_ptr<MainComp> mainComp;
    std::unique_ptr<juce::ResizableCornerComponent> corner;
    // Made when the pointer first comes over the window: a tooltip window follows the pointer
    // through the windowing system, a round trip every editor opening would otherwise wait for.
    std::unique_ptr<juce::TooltipWindow> tooltips;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MorvexAudioProcessorEditor)
};
