#include "EditorRig.h"

#include <gtest/gtest.h>

namespace
{
/** What a musician set up once and expects to find the next time the plug-in opens. */
struct MachineSetup
{
    std::array<int, MidiCntrState::numDelays> delays;
    bool clock, inThru, hostThru, automation, sendOnLoad, sendChanges;
    int keyPlay, keyBaseNote, keyVelocity, outputIndex, inputIndex;
    juce::Rectangle<int> window, panel, keyboard;
    int zoomPermille;

    static MachineSetup of (MorvexAudioProcessor& processor)
    {
        auto& engine = processor.getEngine();
        const auto& settings = engine.getSettings();
        MachineSetup s {};
        for (int i = 0; i < MidiCntrState::numDelays; ++i)
            s.delays[(size_t) i] = engine.getDelay (i);
        s.clock = engine.isSendClockOn();
        s.inThru = engine.isInThruOn();
        s.hostThru = engine.isHostThruOn();
        s.automation = engine.isProgramChangeAutomationOn();
        s.sendOnLoad = engine.isSendProgramOnLoadOn();
        s.sendChanges = engine.isSendProgramChangesOn();
        s.keyPlay = settings.getByte (SettingsBlock::keyPlayOffset);
        s.keyBaseNote = settings.getByte (SettingsBlock::keyBaseNoteOffset);
        s.keyVelocity = settings.getByte (SettingsBlock::keyVelocityOffset);
        s.outputIndex = engine.getPorts().isOutputOpen() ? engine.getPorts().getOutputIndex() : -1;
        s.inputIndex = engine.getPorts().isInputOpen() ? engine.getPorts().getInputIndex() : -1;

        // the layout as an editor opened now shows it
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
        auto* main = dynamic_cast<MorvexAudioProcessorEditor&> (*editor).getMainComp();
        main->getEditorPanel().layoutPanel();
        s.window = editor->getLocalBounds();
        s.panel = main->getEditorPanel().getBounds();
        s.keyboard = main->getKeyboardBounds();
        s.zoomPermille = settings.getInt (SettingsBlock::editorScaleOffset);
        return s;
    }

    auto tied() const
    {
        return std::tie (delays, clock, inThru, hostThru, automation, sendOnLoad, sendChanges, keyPlay, keyBaseNote,
                         keyVelocity, outputIndex, inputIndex, window, panel, keyboard, zoomPermille);
    }
};

std::ostream& operator<< (std::ostream& os, const MachineSetup& s)
{
    os << "delays";
    for (auto d : s.delays)
        os << " " << d;
    return os << "; clock " << s.clock << ", in-thru " << s.inThru << ", host-thru " << s.hostThru << ", automation "
              << s.automation << ", send on load " << s.sendOnLoad << ", send changes " << s.sendChanges << "; keys "
              << s.keyPlay << "/" << s.keyBaseNote << "/" << s.keyVelocity << "; ports " << s.outputIndex << "/"
              << s.inputIndex << "; window " << s.window.toString() << ", panel " << s.panel.toString() << ", keyboard "
              << s.keyboard.toString() << ", zoom " << s.zoomPermille;
}
}

TEST (Restart, EveryMachineWideOptionSurvivesTheEngine)
{
    ProcessorRig rig;
    auto& engine = rig.engine();
    engine.setLatency (0, { 11, 22, 33, 44, 55, 66, 77 });
    engine.setSendClock (true);
    engine.setInThru (true);
    engine.setHostThru (false);
    engine.setProgramChangeAutomation (true);
    engine.setSendProgramOnLoad (false);
    engine.setSendProgramChanges (false);
    engine.getSettings().setByte (SettingsBlock::keyPlayOffset, 1);
    engine.getSettings().setByte (SettingsBlock::keyBaseNoteOffset, 48);
    engine.getSettings().setByte (SettingsBlock::keyVelocityOffset, 90);
    engine.getSettings().setInt (SettingsBlock::editorScaleOffset, 750);
    {
        // the window made smaller than it opens, and closed by the host with the MIDI setup
        // (where the ports were chosen) still open
        std::unique_ptr<juce::AudioProcessorEditor> editor (rig.processor->createEditor());
        editor->setSize (1100, 700);
        dynamic_cast<MorvexAudioProcessorEditor&> (*editor).getMainComp()->toggleMidiSetup();
    }
    const auto before = MachineSetup::of (*rig.processor);
    ASSERT_EQ (before.window.getWidth(), 1100) << "the layout to compare is the one set";

    rig.processor.reset();
    rig.processor = std::make_unique<MorvexAudioProcessor> (rig.devices, rig.folder.folder);
    const auto after = MachineSetup::of (*rig.processor);

    EXPECT_TRUE (before.tied() == after.tied()) << "before: " << before << "\nafter:  " << after;
    EXPECT_EQ (rig.engine().getLatencyMode(), 0);
}
