#pragma once

#include <juce_audio_utils/juce_audio_utils.h>
#include <juce_gui_extra/juce_gui_extra.h>
#include <juce_audio_plugin_client/Standalone/juce_StandaloneFilterWindow.h>

/** The standalone application's window: the framework's, with its own options menu. The
    instrument's ports are chosen in the editor's MIDI setup, so the audio settings offered here
    leave MIDI out, and a saved state is proposed under the plug-in's name rather than as the
    documents folder. */
class StandaloneWindow : public juce::StandaloneFilterWindow
{
public:
    using juce::StandaloneFilterWindow::StandaloneFilterWindow;

    /** What a state file is proposed as, in the documents folder, when none was saved before. */
    static constexpr const char* stateFileName = "Prophet 5 Morvex.fxb";

    void buttonClicked (juce::Button*) override;

private:
    void menuChosen (int id);
    void showAudioSettings();
    void openMidiSetup();
    void proposeStateFile();
};
