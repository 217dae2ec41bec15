#include "gui/StandaloneWindow.h"
#include "gui/MainComp.h"
#include "plugin/MorvexAudioProcessorEditor.h"

namespace
{
enum { midiSetupId = 1, audioSettingsId, saveStateId, loadStateId, resetStateId };
}

void StandaloneWindow::buttonClicked (juce::Button*)
{
    juce::PopupMenu m;
    m.addItem (midiSetupId, "MIDI Setup...");
    m.addItem (audioSettingsId, "Audio Settings...");
    m.addSeparator();
    m.addItem (saveStateId, "Save current state...");
    m.addItem (loadStateId, "Load a saved state...");
    m.addSeparator();
    m.addItem (resetStateId, "Reset to default state");
    m.showMenuAsync (juce::PopupMenu::Options(), [safe = juce::Component::SafePointer<StandaloneWindow> (this)] (int id)
    {
        if (safe != nullptr)
            safe->menuChosen (id);
    });
}

void StandaloneWindow::menuChosen (int id)
{
    switch (id)
    {
        case midiSetupId:     openMidiSetup(); break;
        case audioSettingsId: showAudioSettings(); break;
        case saveStateId:     proposeStateFile(); pluginHolder->askUserToSaveState (".fxb"); break;
        case loadStateId:     proposeStateFile(); pluginHolder->askUserToLoadState (".fxb"); break;
        case resetStateId:    resetToDefaultState(); break;
        default: break;
    }
}

void StandaloneWindow::openMidiSetup()
{
    if (auto* editor = dynamic_cast<MorvexAudioProcessorEditor*> (getAudioProcessor()->getActiveEditor()))
        if (auto* main = editor->getMainComp(); main != nullptr && main->getMidiSetup() == nullptr)
            main->toggleMidiSetup();
}

void StandaloneWindow::showAudioSettings()
{
    // The plug-in makes no sound and reaches the instrument through its own ports: only the audio
    // device that runs it is chosen here.
    auto selector = std::make_unique<juce::AudioDeviceSelectorComponent> (pluginHolder->deviceManager, 0, 0, 0, 2,
                                                                           false, false, true, false);
    selector->setSize (500, 300);

    juce::DialogWindow::LaunchOptions o;
    o.content.setOwned (selector.release());
    o.dialogTitle = "Audio Settings";
    o.dialogBackgroundColour = juce::Colour (0xff232323);
    o.escapeKeyTriggersCloseButton = true;
    o.useNativeTitleBar = true;
    o.resizable = false;
    o.launchAsync();
}

void StandaloneWindow::proposeStateFile()
{
    auto* settings = pluginHolder->settings.get();
    if (settings == nullptr)
        return;
    const juce::File last (settings->getValue ("lastStateFile"));
    if (last == juce::File() || last.isDirectory())
        settings->setValue ("lastStateFile",
                            juce::File::getSpecialLocation (juce::File::userDocumentsDirectory).getChildFile (stateFileName).getFullPathName());
}
