#include "EditorRig.h"
#include "MouseEvents.h"
#include "PlayingHead.h"
#include "plugin/SettingsFolder.h"

#include <gtest/gtest.h>

using MouseEvents::at;

namespace
{
/** An editor with the MIDI setup window open; its menus pick `pick` (0: dismissed). */
struct SetupRig : EditorRig
{
    SetupRig()
    {
        main->toggleAbout (0);
        main->toggleMidiSetup();
        setup = main->getMidiSetup();
        setup->chooseFromMenu = [this] (const juce::PopupMenu& menu) { ++menusShown; return pickFrom (menu); };
        pumpUntil ([this] { return engine().isOnline(); });
        settle();
        pumpPending();
        instrument->clearLog();
    }

    void click (juce::Component& c, float x = 5.0f, float y = 5.0f)
    {
        c.mouseDown (at (c, x, y));
        c.mouseUp (at (c, x, y));
    }

    bool askedForGlobals()
    {
        const Bytes request { 0xF0, 0x01, 0x32, 0x0E, 0xF7 };
        return pumpUntil ([&]
        {
            for (const auto& m : instrument->messages())
                if (m.bytes == request)
                    return true;
            return false;
        }, 1000);
    }

    MIDI_Setup* setup = nullptr;
    int menusShown = 0;
};
}

TEST (MidiSetup, OpensWithThePortsOptionsAndLatencyOfTheEngine)
{
    ProcessorRig rig;
    rig.engine().setSendClock (true);
    rig.engine().setInThru (true);
    rig.engine().getSettings().setByte (SettingsBlock::keyPlayOffset, 1);
    rig.engine().setLatency (0, { 120, 5, 0, 0, 0, 0, 0 });
    rig.engine().setSendProgramChanges (false);
    std::unique_ptr<juce::AudioProcessorEditor> editor (rig.processor->createEditor());
    auto* main = dynamic_cast<MorvexAudioProcessorEditor&> (*editor).getMainComp();
    main->toggleMidiSetup();
    auto* setup = main->getMidiSetup();
    ASSERT_NE (setup, nullptr);
    EXPECT_FALSE (main->isAboutOpen()); // the setup window closed it

    EXPECT_EQ (setup->getInputNames(), juce::StringArray ("NONE", SimulatedProphet::defaultName));
    EXPECT_EQ (setup->getOutputNames(), juce::StringArray ("NONE", SimulatedProphet::defaultName));
    EXPECT_EQ (setup->getInputEntry(), 1);
    EXPECT_EQ (setup->getOutputEntry(), 1);
    EXPECT_TRUE (setup->isInputOpen());
    EXPECT_TRUE (setup->isOutputOpen());

    const std::pair<MIDI_Setup::Toggle, bool> toggles[] = {
        { MIDI_Setup::clockToggle, true }, { MIDI_Setup::automationToggle, false }, { MIDI_Setup::hostThruToggle, true },
        { MIDI_Setup::inThruToggle, true }, { MIDI_Setup::sendOnLoadToggle, true }, { MIDI_Setup::sendChangesToggle, false },
        { MIDI_Setup::computerKeysToggle, true } };
    for (const auto& [t, on] : toggles)
        EXPECT_EQ (setup->getToggle (t).isChecked(), on) << t;

    EXPECT_EQ (setup->getSync().getSlider().getValue(), 120); // 44100 Hz: delay entry 0
    EXPECT_EQ (setup->getSysexLabel().getText(), "256");
    EXPECT_EQ (setup->getManualLabel().getName(), "glbLabel");
    EXPECT_EQ (setup->getManualLabel().getText(), MIDI_Setup::manualText());
    EXPECT_TRUE (setup->getManualLabel().getText().endsWith ("depending on connection"));

    // the window asks the instrument, which answers: on line
    EXPECT_TRUE (pumpUntil ([&] { return setup->getStatusLabel().getText() == "SEQUENTIAL:  PROPHET~5/10 ON-LINE"; }));
}

TEST (MidiSetup, WithoutAnyDeviceThePortBoxesOpenNoMenu)
{
    ScratchFolder folder;
    MorvexAudioProcessor processor (std::make_shared<MidiDevices> (false), folder.folder);
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
    auto* main = dynamic_cast<MorvexAudioProcessorEditor&> (*editor).getMainComp();
    main->toggleMidiSetup();
    auto& setup = *main->getMidiSetup();
    int menus = 0;
    setup.chooseFromMenu = [&menus] (const juce::PopupMenu&) { ++menus; return 1; };

    for (const auto box : { setup.inputBox(), setup.outputBox() })
        setup.mouseDown (at (setup, (float) box.getCentreX(), (float) box.getCentreY()));
    EXPECT_EQ (menus, 0);
    EXPECT_EQ (setup.getInputNames(), juce::StringArray ("NONE"));
    EXPECT_TRUE (pumpUntil ([&] { return setup.getStatusLabel().getText() == "SEQUENTIAL:  PROPHET~5/10 OFF-LINE"; }));
}

TEST (MidiSetup, EachOptionSetsTheEngineAndItsSettingsByteAndAsksForTheGlobals)
{
    struct Case
    {
        MIDI_Setup::Toggle toggle;
        int offset;
        std::function<bool (MidiCntrState&)> flag;
    };
    const Case cases[] = {
        { MIDI_Setup::clockToggle, SettingsBlock::sendClockOffset, [] (MidiCntrState& e) { return e.isSendClockOn(); } },
        { MIDI_Setup::automationToggle, SettingsBlock::programChangeAutomationOffset, [] (MidiCntrState& e) { return e.isProgramChangeAutomationOn(); } },
        { MIDI_Setup::hostThruToggle, SettingsBlock::hostThruOffset, [] (MidiCntrState& e) { return e.isHostThruOn(); } },
        { MIDI_Setup::inThruToggle, SettingsBlock::inThruOffset, [] (MidiCntrState& e) { return e.isInThruOn(); } },
    };

    SetupRig rig;
    const auto settingsFile = rig.folder.file (SettingsFolder::settingsFileName);
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.toggle);
        auto& toggle = rig.setup->getToggle (c.toggle);
        const auto was = c.flag (rig.engine());
        settingsFile.deleteFile();
        rig.instrument->clearLog();

        rig.click (toggle);
        EXPECT_EQ (c.flag (rig.engine()), ! was);
        // host thru's "off" has a value of its own (a fresh machine's 0 means on)
        const auto off = c.toggle == MIDI_Setup::hostThruToggle ? SettingsBlock::hostThruSwitchedOff : 0;
        EXPECT_EQ (rig.engine().getSettings().getByte (c.offset), was ? off : 1);
        EXPECT_TRUE (rig.askedForGlobals());
        EXPECT_TRUE (settingsFile.existsAsFile());
    }

    // the computer-key toggle writes its byte and nothing else
    rig.instrument->clearLog();
    settingsFile.deleteFile();
    rig.click (rig.setup->getToggle (MIDI_Setup::computerKeysToggle));
    EXPECT_EQ (rig.engine().getSettings().getByte (SettingsBlock::keyPlayOffset), 1);
    rig.settle();
    EXPECT_TRUE (rig.instrument->messages().empty());
    EXPECT_FALSE (settingsFile.existsAsFile());
}

TEST (MidiSetup, KeepingTheInstrumentInStepIsOnAtFirstAndSwitchesOffIntoTheSettingsFile)
{
    const std::pair<MIDI_Setup::Toggle, int> options[] = { { MIDI_Setup::sendOnLoadToggle, SettingsBlock::sendOnLoadOffOffset },
                                                           { MIDI_Setup::sendChangesToggle, SettingsBlock::sendChangesOffOffset } };
    SetupRig rig;
    const auto settingsFile = rig.folder.file (SettingsFolder::settingsFileName);
    for (const auto& [toggle, offset] : options)
    {
        SCOPED_TRACE (toggle);
        EXPECT_TRUE (rig.setup->getToggle (toggle).isChecked());
        settingsFile.deleteFile();
        rig.click (rig.setup->getToggle (toggle));
        EXPECT_FALSE (rig.setup->getToggle (toggle).isChecked());
        EXPECT_EQ (rig.engine().getSettings().getByte (offset), 1);
        EXPECT_TRUE (settingsFile.existsAsFile());
    }
    EXPECT_FALSE (rig.engine().isSendProgramOnLoadOn());
    EXPECT_FALSE (rig.engine().isSendProgramChangesOn());

    // the next start keeps them off; switched on again, they are on
    MidiCntrState next (std::make_shared<MidiDevices> (false), rig.folder.folder);
    EXPECT_FALSE (next.isSendProgramOnLoadOn());
    EXPECT_FALSE (next.isSendProgramChangesOn());
    rig.click (rig.setup->getToggle (MIDI_Setup::sendChangesToggle));
    EXPECT_TRUE (rig.engine().isSendProgramChangesOn());
}

TEST (MidiSetup, HostThruIsOnAtFirstAndSwitchedOffStaysOffAtTheNextStart)
{
    SetupRig rig; // a machine's first run
    auto& toggle = rig.setup->getToggle (MIDI_Setup::hostThruToggle);
    ASSERT_TRUE (rig.engine().isHostThruOn());
    ASSERT_TRUE (toggle.isChecked());
    rig.click (toggle);
    ASSERT_FALSE (rig.engine().isHostThruOn());

    // the next start reads the settings file the toggle wrote
    MidiCntrState next (std::make_shared<MidiDevices> (false), rig.folder.folder);
    EXPECT_EQ (next.getSettings().getByte (SettingsBlock::hostThruOffset), SettingsBlock::hostThruSwitchedOff);
    EXPECT_FALSE (next.isHostThruOn());

    // a file from before the switched-off value existed holds 0, as a fresh machine's does: on
    next.getSettings().setByte (SettingsBlock::hostThruOffset, 0);
    next.saveSettings();
    MidiCntrState older (std::make_shared<MidiDevices> (false), rig.folder.folder);
    EXPECT_TRUE (older.isHostThruOn());
}

TEST (MidiSetup, ChoosingTheInstrumentsPortsBringsItOnLineAndTheSameEntryReopens)
{
    ProcessorRig rig (false);
    std::unique_ptr<juce::AudioProcessorEditor> editor (rig.processor->createEditor());
    auto* main = dynamic_cast<MorvexAudioProcessorEditor&> (*editor).getMainComp();
    main->toggleMidiSetup();
    auto& setup = *main->getMidiSetup();
    juce::StringArray shown;
    setup.chooseFromMenu = [&shown] (const juce::PopupMenu& menu)
    {
        shown.clear();
        for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
            shown.add (it.getItem().text);
        return 2; // the simulated instrument
    };
    EXPECT_FALSE (rig.engine().getPorts().isOutputOpen());

    const auto clickBox = [&setup] (juce::Rectangle<int> box)
    {
        setup.mouseDown (at (setup, (float) box.getCentreX(), (float) box.getCentreY()));
    };
    clickBox (setup.outputBox());
    EXPECT_EQ (shown, juce::StringArray ("NONE", SimulatedProphet::defaultName));
    clickBox (setup.inputBox());
    EXPECT_TRUE (setup.isOutputOpen());
    EXPECT_TRUE (setup.isInputOpen());
    EXPECT_TRUE (pumpUntil ([&] { return setup.getStatusLabel().getText().endsWith ("ON-LINE"); }));

    // the entry already chosen: the port opens again and the instrument is asked again
    rig.instrument->clearLog();
    clickBox (setup.outputBox());
    EXPECT_TRUE (rig.engine().getPorts().isOutputOpen());
    EXPECT_TRUE (rig.instrument->waitForMessages (1, 1000));
    EXPECT_EQ (rig.instrument->messages().front().bytes, (Bytes { 0xF0, 0x01, 0x32, 0x0E, 0xF7 }));

    // OK closes the window and keeps the ports for the next start
    const auto portsFile = rig.folder.file (SettingsFolder::portsFileName);
    portsFile.deleteFile();
    setup.stsButtonClicked (&setup.getOkButton(), MIDI_Setup::okId);
    EXPECT_EQ (main->getMidiSetup(), nullptr);
    EXPECT_TRUE (portsFile.loadFileAsString().contains (SimulatedProphet::defaultName));
}

TEST (MidiSetup, TheGlobalsPanelSendsEveryChoiceAndShowsTheInstrumentsValues)
{
    SetupRig rig;
    rig.setup->stsButtonClicked (&rig.setup->getGlobalsButton(), MIDI_Setup::globalsId);
    auto* globals = rig.setup->getGlobals();
    ASSERT_NE (globals, nullptr);
    EXPECT_FALSE (rig.setup->getManualLabel().isVisible());
    auto& controls = globals->getControls();
    ASSERT_EQ (controls.size(), GlobalSettings::numGlobals);

    // "Slave" for MIDI CLOCK MODE, then the same again: sent both times
    const std::vector<Bytes> slave { { 0xB0, 99, 8 }, { 0xB0, 98, 3 }, { 0xB0, 6, 0 }, { 0xB0, 38, 2 } };
    for (int round = 0; round < 2; ++round)
    {
        rig.instrument->clearLog();
        controls[3]->menuChosen (3);
        EXPECT_EQ (rig.wire (4), slave) << round;
    }

    // the instrument's own values, as its dump brings them
    rig.instrument->setGlobal (0, 0);
    rig.instrument->setGlobal (1, 100);
    rig.main->midiSetupAction (MIDI_SetupListener::globalsRequested, 0);
    ASSERT_TRUE (pumpUntil ([&] { return rig.engine().getGlobals()[1] == 100; }));
    EXPECT_EQ (controls[0]->valueText (controls[0]->getValue()), "-12");
    EXPECT_EQ (controls[1]->valueText (controls[1]->getValue()), "50");
    EXPECT_EQ (controls[1]->knobFrame(), 60);

    // the close box: closed a moment later, and the manual settings are back
    const auto box = globals->getCloseBox().getCentre();
    globals->mouseDown (at (*globals, (float) box.x, (float) box.y));
    EXPECT_NE (rig.setup->getGlobals(), nullptr);
    EXPECT_TRUE (pumpUntil ([&] { return rig.setup->getGlobals() == nullptr; }, 1000));
    EXPECT_TRUE (rig.setup->getManualLabel().isVisible());
}

TEST (MidiSetup, TheSysExSizeMenuSetsThePortsChoice)
{
    SetupRig rig;
    rig.pick = 2;
    rig.click (rig.setup->getSysexLabel());
    EXPECT_EQ (rig.shownItems, juce::StringArray ("256", "SySex Size"));
    EXPECT_EQ (rig.engine().getPorts().getSysexSizeChoice(), 1);
    EXPECT_EQ (rig.setup->getSysexLabel().getText(), "SySex Size");
}

TEST (MidiSetup, TheDelaySliderTimesTheNextClockSend)
{
    SetupRig rig;
    rig.processor->setRateAndBufferSizeDetails (44100.0, 512);
    rig.processor->prepareToPlay (44100.0, 512);
    rig.engine().setSendClock (true);
    // the window shows the rate the host runs at now
    rig.main->toggleMidiSetup();
    rig.main->toggleMidiSetup();
    auto& slider = rig.main->getMidiSetup()->getSync().getSlider();

    // the bar runs from x 18 for 164 pixels over 0..1000 ms: 41 pixels are 250 ms
    slider.mouseDown (at (slider, 59.0f, 9.0f));
    slider.mouseUp (at (slider, 59.0f, 9.0f));
    EXPECT_EQ (slider.getValue(), 250);
    EXPECT_EQ (rig.engine().currentLatencyDelay(), 250);
    EXPECT_EQ (rig.engine().getSettings().getInt (SettingsBlock::delaysOffset), 250);
    ASSERT_TRUE (rig.askedForGlobals()); // what the reopening sent is out of the way

    PlayingHead head;
    rig.processor->setPlayHead (&head);
    juce::AudioBuffer<float> buffer (2, 512);
    juce::MidiBuffer host;
    rig.instrument->clearLog();
    const auto sent = juce::Time::getMillisecondCounterHiRes();
    for (int block = 0; block < 8; ++block)
    {
        rig.processor->processBlock (buffer, host);
        head.ppq += 512.0 / 44100.0 * 2.0; // 120 beats a minute
    }
    const auto clockArrived = [&] (double& time)
    {
        for (const auto& d : rig.instrument->deliveries())
            if (! d.bytes.empty() && (d.bytes[0] == 0xF8 || d.bytes[0] == 0xFB || d.bytes[0] == 0xF2))
            {
                time = d.time;
                return true;
            }
        return false;
    };
    double arrived = 0.0;
    ASSERT_TRUE (pumpUntil ([&] { return clockArrived (arrived); }, 3000));
    EXPECT_GE (arrived - sent, 245.0);
    rig.processor->setPlayHead (nullptr);
}

TEST (MidiSetup, F7AndTheMidiButtonToggleItExceptDuringATransfer)
{
    SetupRig rig;
    EXPECT_TRUE (rig.main->keyPlayed (MainComp::frontPanel, MainComp::keyF7, false, false, false));
    EXPECT_EQ (rig.main->getMidiSetup(), nullptr);

    rig.instrument->setSilent (true); // the transfer waits for its first answer
    ASSERT_TRUE (rig.engine().startTransfer (MidiCntrState::receiveOneGroup, 0));
    rig.main->stsButtonClicked (rig.main->getAppBar().getButton (AppBar::midiId), AppBar::midiId);
    EXPECT_EQ (rig.main->getMidiSetup(), nullptr);
    rig.engine().cancelTransfer();
    rig.instrument->setSilent (false);

    rig.main->stsButtonClicked (rig.main->getAppBar().getButton (AppBar::midiId), AppBar::midiId);
    ASSERT_NE (rig.main->getMidiSetup(), nullptr);
    // it covers the whole editor, and follows its size
    rig.editor->setSize (900, 600);
    EXPECT_EQ (rig.main->getMidiSetup()->getBounds(), rig.main->getLocalBounds());
}

TEST (MidiSetup, TheComputerKeyDrawingNamesEveryKeyBlackOrWhite)
{
    juce::StringArray drawn;
    for (const auto& key : MIDI_Setup::keyAssignment())
        drawn.add (key.letter + " " + key.note + (key.black ? " (black)" : ""));
    EXPECT_EQ (drawn.joinIntoString (", "), "Z C, S C# (black), X D, D D# (black), C E, V F, G F# (black), B G, H G# (black), "
                                            "N A, J A# (black), M B");

    // and each letter plays the note it is drawn with
    ProcessorRig rig;
    rig.settle();
    rig.instrument->clearLog();
    const auto octave = juce::String (rig.engine().getSettings().getByte (SettingsBlock::keyBaseNoteOffset) / 12);
    for (const auto& key : MIDI_Setup::keyAssignment())
        ASSERT_TRUE (rig.engine().keyPlay (key.letter.toLowerCase()[0])) << key.letter;
    const auto played = rig.wire (12);
    ASSERT_EQ (played.size(), 12u);
    for (size_t i = 0; i < played.size(); ++i)
        EXPECT_EQ (MidiCntrState::noteName (played[i][1]), MIDI_Setup::keyAssignment()[i].note + octave) << i;
}

TEST (MidiSetup, TheStandaloneGreysTheOptionsOnlyAHostGivesAMeaningTo)
{
    for (const auto standalone : { false, true })
    {
        SCOPED_TRACE (standalone ? "standalone" : "in a host");
        // the framework's wrapper says what it is before it makes the processor
        juce::AudioProcessor::setTypeOfNextNewPlugin (standalone ? juce::AudioProcessor::wrapperType_Standalone
                                                                 : juce::AudioProcessor::wrapperType_Undefined);
        EditorRig rig;
        juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined);
        rig.main->toggleMidiSetup();
        auto& setup = *rig.main->getMidiSetup();
        EXPECT_EQ (setup.areHostOptionsShown(), ! standalone);
        for (int t = 0; t < MIDI_Setup::numToggles; ++t)
            EXPECT_EQ (setup.getToggle ((MIDI_Setup::Toggle) t).isEnabled(), ! standalone || ! MIDI_Setup::isHostOnly ((MIDI_Setup::Toggle) t)) << t;
        EXPECT_EQ (setup.getSync().isEnabled(), ! standalone) << "the latency";
        rig.main->toggleMidiSetup();
        pumpPending();
    }
}
