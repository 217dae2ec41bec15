#include "EditorRig.h"
#include "MouseEvents.h"
#include "gui/Global_Container.h"
#include "gui/MIDI_Setup.h"
#include "model/ValueFormat.h"
#include "plugin/SettingsFolder.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
Bytes operator+ (Bytes a, const Bytes& b)
{
    a.insert (a.end(), b.begin(), b.end());
    return a;
}

bool startsWith (const Bytes& message, const Bytes& prefix)
{
    return message.size() >= prefix.size() && std::equal (prefix.begin(), prefix.end(), message.begin());
}
}

TEST (MainCompAbout, OpensForTwoSecondsWithTheFirstEditorOfAnInstanceOnly)
{
    ProcessorRig rig;
    std::unique_ptr<juce::AudioProcessorEditor> first (rig.processor->createEditor());
    auto* main = dynamic_cast<MorvexAudioProcessorEditor&> (*first).getMainComp();
    ASSERT_TRUE (main->isAboutOpen());
    EXPECT_TRUE (main->getAboutPanel()->isAutoClosing());
    EXPECT_EQ (main->getActivePanel(), MainComp::aboutPanelCode);
    EXPECT_EQ (main->getAboutPanel()->getVersionLine(), "Version 1.4.0 - April 20, 2023");

    // Escape closes it and gives the keys back to the front panel.
    EXPECT_TRUE (main->keyPlayed (main->getActivePanel(), MainComp::keyEscape, false, false, false));
    EXPECT_FALSE (main->isAboutOpen());
    EXPECT_EQ (main->getActivePanel(), MainComp::frontPanel);
    first.reset();

    std::unique_ptr<juce::AudioProcessorEditor> second (rig.processor->createEditor());
    EXPECT_FALSE (dynamic_cast<MorvexAudioProcessorEditor&> (*second).getMainComp()->isAboutOpen());

    // Opened from the FILE menu it stays until clicked, and shows the chosen model.
    rig.engine().getSettings().setInt (SettingsBlock::modelOffset, 1);
    auto* again = dynamic_cast<MorvexAudioProcessorEditor&> (*second).getMainComp();
    again->fileMenuChosen (3);
    ASSERT_TRUE (again->isAboutOpen());
    EXPECT_FALSE (again->getAboutPanel()->isAutoClosing());
    EXPECT_EQ (again->getAboutPanel()->getModel(), 1);
    again->getAboutPanel()->sendSynchronousChangeMessage(); // as its click does
    EXPECT_FALSE (again->isAboutOpen());
    pumpPending();
}

TEST (MainCompKeys, ShortcutsActOrPassAsTheirPanelAllows)
{
    EditorRig rig;
    constexpr int none = MainComp::frontPanel, about = MainComp::aboutPanelCode, groups = MainComp::groupManagerPanel;
    const struct { int panel, key; bool ctrl, consumed; } cases[] = {
        { none, 'T', true, true },   { none, 't', true, true },   { about, 'T', true, false },
        { none, 'R', true, true },   { groups, 'R', true, false }, { none, 'W', true, true },
        { none, 'H', true, true },   { none, 'F', true, true },   { none, 'n', true, true },
        { none, 'Q', true, false },  { none, 200, true, false },
        { none, 200, false, true },  { about, 203, false, true }, { about, 204, false, true },
        { none, 205, false, true },  { none, 206, false, true },  { none, 207, false, true },
        { none, 208, false, false }, { none, 211, false, false },
        { none, 27, false, true },   { groups, 27, false, true },
        { none, 30, false, true },   { none, 31, false, true },   { none, 28, false, true },
        { none, 29, false, true },   { none, 13, false, true },
        { none, 'a', false, false }, { none, 32, false, false },
    };

    for (const auto& c : cases)
        EXPECT_EQ (rig.main->keyPlayed (c.panel, c.key, false, false, c.ctrl), c.consumed)
            << "panel " << c.panel << " key " << c.key << (c.ctrl ? " with ctrl" : "");
}

TEST (MainCompKeys, EscapeClosesEachOverlayAndTheKeysGoBackToThePlayer)
{
    EditorRig rig;
    if (rig.main->isAboutOpen())
        rig.main->toggleAbout (0);
    rig.editor->addToDesktop (0);
    rig.editor->setVisible (true);
    auto* peer = rig.editor->getPeer();
    ASSERT_NE (peer, nullptr);
    auto& main = *rig.main;
    auto& player = main.getKeyboard().getKeyPlayer();

    const struct { const char* what; std::function<void()> open; std::function<bool()> isOpen; } overlays[] = {
        { "About", [&] { main.toggleAbout (0); }, [&] { return main.isAboutOpen(); } },
        { "MIDI setup", [&] { main.toggleMidiSetup(); }, [&] { return main.getMidiSetup() != nullptr; } },
        { "group manager", [&] { main.toggleGroupManager(); }, [&] { return main.isGroupManagerOpen(); } },
        { "write panel", [&] { main.toggleWritePanel(); }, [&] { return main.getWritePanel() != nullptr; } },
    };
    for (const auto& o : overlays)
    {
        SCOPED_TRACE (o.what);
        o.open();
        ASSERT_TRUE (o.isOpen());
        // a click into the overlay leaves the keys with the editor, not with its player
        main.grabKeyboardFocus();
        ASSERT_TRUE (pumpUntil ([&] { return main.hasKeyboardFocus (false); }));

        peer->handleKeyPress (juce::KeyPress (juce::KeyPress::escapeKey));
        EXPECT_FALSE (o.isOpen());
        EXPECT_EQ (main.getActivePanel(), MainComp::frontPanel);
        EXPECT_TRUE (pumpUntil ([&] { return player.hasKeyboardFocus (false); }));
    }

    // a value menu of the instrument's globals, dismissed, gives them back as well
    main.toggleMidiSetup();
    main.getMidiSetup()->toggleGlobals();
    GlbCont* box = nullptr;
    for (auto* control : main.getMidiSetup()->getGlobals()->getControls())
        if (control->getKind() == GlbCont::valueBox && box == nullptr)
            box = control;
    ASSERT_NE (box, nullptr);
    box->chooseFromMenu = [] (const juce::PopupMenu&) { return 0; };
    main.grabKeyboardFocus();
    ASSERT_TRUE (pumpUntil ([&] { return main.hasKeyboardFocus (false); }));
    box->mouseDown (MouseEvents::at (*box, 5, 5));
    box->mouseUp (MouseEvents::at (*box, 5, 5));
    EXPECT_TRUE (pumpUntil ([&] { return player.hasKeyboardFocus (false); }));
    main.toggleMidiSetup();

    // and the computer keys play at once, with no click into the editor first
    rig.engine().getSettings().setByte (SettingsBlock::keyPlayOffset, 1);
    // the setup asked for the globals as it opened: that request must be on the wire before the log starts
    rig.settle();
    rig.instrument->clearLog();
    peer->handleKeyPress (juce::KeyPress ('Z', juce::ModifierKeys::shiftModifier, 0));
    EXPECT_EQ (rig.wire (1).front(), (Bytes { 0x90, 24, 100 }));
    rig.editor->removeFromDesktop();
    pumpPending();
}

TEST (MainCompCommands, SendAndReceiveReachTheInstrumentFromKeysButtonsAndMenus)
{
    struct Case
    {
        const char* what;
        std::function<void (EditorRig&)> command;
        Bytes start; // what the one message on the wire starts with
        std::vector<int32_t> events;
    };
    const Bytes editBufferDump { 0xF0, 0x01, 0x32, 0x03 }, editBufferRequest { 0xF0, 0x01, 0x32, 0x06, 0xF7 };
    const Case cases[] = {
        { "Ctrl+T", [] (EditorRig& r) { EXPECT_TRUE (r.main->keyPlayed (0, 'T', false, false, true)); }, editBufferDump, { StateEvent::editBufferChanged } },
        { "SEND, current preset", [] (EditorRig& r) { r.pick = 1; r.main->stsButtonClicked (r.main->getAppBar().getButton (AppBar::sendId), AppBar::sendId); },
          editBufferDump, { StateEvent::editBufferChanged } },
        { "Ctrl+R", [] (EditorRig& r) { EXPECT_TRUE (r.main->keyPlayed (0, 'r', false, false, true)); }, editBufferRequest, {} },
        { "RECV", [] (EditorRig& r) { r.main->stsButtonClicked (r.main->getAppBar().getButton (AppBar::recvId), AppBar::recvId); },
          editBufferRequest, {} },
    };

    for (const auto& c : cases)
    {
        EditorRig rig;
        rig.instrument->setSilent (true); // its answer would be another test's business
        c.command (rig);
        const auto wire = rig.wire (1);
        EXPECT_EQ (wire.size(), 1u) << c.what;
        EXPECT_TRUE (startsWith (wire.front(), c.start)) << c.what;
        if (c.start.back() == 0xF7)
        {
            EXPECT_EQ (wire.front(), c.start) << c.what;
        }
        EXPECT_EQ (rig.events(), c.events) << c.what;
    }
}

TEST (MainCompEvents, DecodesEveryKindOfCode)
{
    using A = MainComp::EventAction;
    const struct { int32_t code; A action; } cases[] = {
        { StateEvent::pitchWheel (1, 64, 0), { A::pitchWheel, 64 } },       // the LSB is not shown
        { StateEvent::pitchWheel (16, 5, 127), { A::pitchWheel, 5 } },
        { StateEvent::controller (3, 1, 99), { A::modWheel, 99 } },
        { StateEvent::controller (16, 1, 7), { A::modWheel, 7 } },
        { StateEvent::noteOn (16, 60, 100), {} },
        { StateEvent::controller (3, 7, 99), {} },
        { StateEvent::noteOn (1, 60, 100), {} },
        { StateEvent::noteOff (1, 60), {} },
        { StateEvent::parameterChanged (17, 60), { A::parameter, 17, 60 } },
        { StateEvent::parameterChanged (99, 1), { A::parameter, 99, 1 } },
        { StateEvent::parameterChanged (100, 1), {} },                    // the program selector is no panel control
        { 0x20000000, {} },
        { StateEvent::editBufferChanged, { A::programChanged } },
        { StateEvent::instrumentOnline, { A::online } },
        { StateEvent::instrumentOffline, { A::offline } },
        { StateEvent::transferFinished, { A::transferEnded } },
        { StateEvent::transfer (7, 12), { A::transferProgress, 7, 12 } },
        { StateEvent::mirrorChanged, { A::groupsChanged } },
        { StateEvent::channelChanged, { A::channelChanged } },
        { StateEvent::hostProgramChanged, { A::presetChanged } },
        { StateEvent::keyVelocityChanged, { A::velocityShown } },
        { StateEvent::keyOctaveChanged, { A::octaveShown } },
        { StateEvent::openProgramFinder, { A::openFinder } },
        { StateEvent::hostThruDropped, { A::hostThruDropped } },
        { StateEvent::writeChecked, { A::writeChecked } },
        { StateEvent::editBufferReceived, { A::programReceived } },
        { StateEvent::editNotSent, { A::notSent } },
        { 0x4F000000, {} },
        { (int32_t) 0xF0000000, {} },
    };

    for (const auto& c : cases)
        EXPECT_TRUE (MainComp::decode (c.code) == c.action) << std::hex << c.code;
}

TEST (MainCompEvents, ShowTheInstrumentsStateAsTheyArrive)
{
    EditorRig rig;
    rig.main->handleEvents ({ StateEvent::instrumentOffline, StateEvent::instrumentOnline });
    EXPECT_EQ (rig.main->getStatusText(), "SEQUENTIAL:  PROPHET~5/10 ON-LINE");

    // from the engine, through the asynchronous update
    rig.engine().postEvent (StateEvent::instrumentOffline);
    ASSERT_TRUE (pumpUntil ([&] { return rig.main->getStatusText().endsWith ("OFF-LINE"); }, 2000));
}

TEST (MainCompEvents, TheChannelShownFollowsTheInstrumentsGlobals)
{
    EditorRig rig;
    auto& label = rig.main->getAppBar().getChannelLabel();
    ASSERT_EQ (label.getText(), "Channel: 1");

    // the instrument, set to channel 5, answers the editor's request for its globals
    rig.instrument->setGlobal (2, 5);
    rig.engine().requestGlobals();
    EXPECT_TRUE (pumpUntil ([&] { return label.getText() == "Channel: 5"; })) << label.getText();
    EXPECT_EQ (rig.engine().getMidiChannel(), 5);
}

TEST (MainCompTransfers, ProgressBlocksTheOverlaysUntilItEnds)
{
    EditorRig rig;
    // The steps below stand for the instrument's answers: the real ones, coming on their own,
    // could finish the transfer before the test looks at it.
    rig.instrument->setSilent (true);
    if (rig.main->isAboutOpen()) // the first opening's welcome
        rig.main->toggleAbout (0);
    rig.main->startTransfer (MidiCntrState::receiveOneGroup, 9);
    auto* progress = rig.main->getProgressBar();
    ASSERT_NE (progress, nullptr);
    EXPECT_TRUE (rig.engine().isBusy());
    EXPECT_EQ (rig.wire (1).front(), (Bytes { 0xF0, 0x01, 0x32, 0x05, 0x09, 0x00, 0xF7 })) << "asks for group 10's first program";

    // Overlays stay shut while it runs.
    rig.main->toggleAbout (0);
    EXPECT_FALSE (rig.main->isAboutOpen());
    EXPECT_TRUE (rig.main->keyPlayed (0, MainComp::keyF5, false, false, false));

    const struct { int group, program, position; const char* text; } steps[] = {
        { 2, 0, 0, "User: Gr 3 Bn 1 Prg 1" },
        { 2, 45, 40, "User: Gr 3 Bn 6 Prg 6" },
        { 9, 39, 39, "Factory: Gr 5 Bn 5 Prg 8" },
    };
    for (const auto& s : steps)
    {
        rig.main->handleEvents ({ StateEvent::transfer (s.group, s.program) });
        EXPECT_EQ (progress->getPosition(), s.position);
        EXPECT_EQ (progress->getFillWidth(), s.position * 9);
        EXPECT_EQ (progress->getText(), s.text);
    }

    // CANCEL ends it and the overlays open again.
    rig.main->stsButtonClicked (&progress->getCancelButton(), ProgBar::cancelId);
    EXPECT_EQ (rig.main->getProgressBar(), nullptr);
    EXPECT_FALSE (rig.engine().isBusy());
    EXPECT_EQ (rig.engine().getTransferKind(), MidiCntrState::noTransfer);
    rig.main->toggleAbout (0);
    EXPECT_TRUE (rig.main->isAboutOpen());
    pumpPending();
}

TEST (MainCompTransfers, ATransferGoesOnWithTheEditorClosedAndTheNextEditorShowsIt)
{
    EditorRig rig;
    auto& engine = rig.engine();
    engine.getGroupTransfer().setAnswerTimeout (60000.0); // held at slot 5 until the test answers
    rig.instrument->setSilentAfter (5);
    rig.main->startTransfer (MidiCntrState::receiveOneGroup, 3);
    ASSERT_TRUE (pumpUntil ([&] { return engine.getTransferStatus().settled == 5; }));

    const auto reopen = [&]
    {
        rig.editor.reset (dynamic_cast<MorvexAudioProcessorEditor*> (rig.processor->createEditor()));
        rig.main = rig.editor->getMainComp();
    };

    // The host closes the window: the transfer is not abandoned, and the next window shows it
    // where it is, with its CANCEL.
    rig.editor.reset();
    EXPECT_TRUE (engine.isBusy());
    reopen();
    auto* progress = rig.main->getProgressBar();
    ASSERT_NE (progress, nullptr);
    EXPECT_EQ (progress->getText(), "User: Gr 4 Bn 1 Prg 5");
    EXPECT_TRUE (progress->getOverallText().startsWith ("5 of 40 programs received")) << progress->getOverallText();
    EXPECT_TRUE (progress->getCancelButton().isVisible());
    EXPECT_TRUE (rig.main->getKeyboard().getStatus().startsWith ("5 OF 40")) << "the status line too";
    rig.main->toggleAbout (0);
    EXPECT_FALSE (rig.main->isAboutOpen()) << "other panels stay shut meanwhile";

    // It ends with no window open; the next one says how it went.
    rig.editor.reset();
    rig.instrument->resetProgramAnswers();
    rig.instrument->sendToSystem (ProgramSysex::programDump (3, 5, rig.instrument->getProgram (3, 5)));
    ASSERT_TRUE (waitUntil ([&] { return ! engine.isBusy(); }, 5000));
    reopen();
    pumpPending();
    EXPECT_EQ (rig.main->getProgressBar(), nullptr);
    EXPECT_EQ (rig.main->getKeyboard().getStatus(), "40 OF 40 PROGRAMS RECEIVED");
    EXPECT_FALSE (engine.getTransferStatus().unseen);
    for (int i = 0; i < 40; ++i)
        ASSERT_EQ (engine.getInstrumentBank (3).programRecord (i), rig.instrument->getProgram (3, i)) << i;

    // and what arrived is on disk without waiting for the plug-in to close
    const auto expected = rig.instrument->getProgram (3, 39);
    EXPECT_TRUE (pumpUntil ([&]
    {
        const auto groups = rig.folder.read (SettingsFolder::groupsFileName);
        const size_t at = 13 + 3 * 5120 + 39 * 128;
        return groups.size() >= at + 128 && std::equal (expected.begin(), expected.end(), groups.begin() + (std::ptrdiff_t) at);
    }));
}

TEST (MainCompTransfers, SlotsThatNeverAnsweredAreListedAndRetryFetchesThem)
{
    EditorRig rig;
    auto& engine = rig.engine();
    engine.getGroupTransfer().setAnswerTimeout (20.0);
    rig.instrument->setUnanswered (4, 7, true);
    rig.instrument->setUnanswered (4, 30, true);
    rig.main->startTransfer (MidiCntrState::receiveOneGroup, 4);
    ASSERT_TRUE (pumpUntil ([&] { return rig.main->getProgressBar() != nullptr && rig.main->getProgressBar()->isReport(); }, 5000));

    auto* progress = rig.main->getProgressBar();
    EXPECT_EQ (progress->getOverallText(), "38 of 40 programs received");
    EXPECT_EQ (progress->getReportLines(), (juce::StringArray { "The instrument did not answer for:", "  User: Gr 5 Bn 1 Prg 8",
                                                                "  User: Gr 5 Bn 4 Prg 7" }));
    EXPECT_TRUE (progress->getRetryButton().isVisible());
    EXPECT_FALSE (progress->getCancelButton().isVisible());
    EXPECT_FALSE (engine.isBusy());
    rig.main->keyPlayed (MainComp::frontPanel, MainComp::keyF6, false, false, false);
    EXPECT_FALSE (rig.main->isGroupManagerOpen()) << "the report is read first";

    rig.instrument->setUnanswered (4, 7, false);
    rig.instrument->setUnanswered (4, 30, false);
    rig.instrument->clearLog();
    rig.main->stsButtonClicked (&progress->getRetryButton(), ProgBar::retryId);
    ASSERT_TRUE (pumpUntil ([&] { return ! engine.isBusy() && rig.main->getProgressBar() == nullptr; }, 5000));
    EXPECT_EQ (rig.wire (2), (std::vector<Bytes> { ProgramSysex::programDumpRequest (4, 7), ProgramSysex::programDumpRequest (4, 30) }));
    EXPECT_EQ (rig.main->getKeyboard().getStatus(), "2 OF 2 PROGRAMS RECEIVED");
    EXPECT_EQ (engine.getInstrumentBank (4).programRecord (30), rig.instrument->getProgram (4, 30));
}

TEST (MainCompLayout, TheKeyboardScaleFollowsTheWidthHoweverTheWindowGotThereAndAfterReopening)
{
    // The strip is 1,182 units wide at its own size: narrower windows shrink it until every key
    // fits, wider ones leave it at its own size.
    const auto expected = [] (int width) { return juce::jmin (1.0f, (float) width / 1182.0f); };
    struct Step { int width, height; };
    struct Case { const char* what; std::vector<Step> steps; bool reopen; };
    std::vector<Step> drag;
    for (int w = 1400; w >= 1000; w -= 20)
        drag.push_back ({ w, 600 });
    const Case cases[] = {
        { "a drag from 1400 to 1000 in small steps", drag, false },
        { "a height-only resize after shrinking to 700", { { 1000, 600 }, { 700, 600 }, { 700, 500 } }, false },
        { "reopening after shrinking to 700", { { 1000, 600 }, { 700, 600 } }, true },
        { "wider again after shrinking", { { 700, 600 }, { 1400, 600 } }, false },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        EditorRig rig;
        for (const auto& step : c.steps)
            rig.editor->setSize (step.width, step.height);
        if (c.reopen)
        {
            rig.editor.reset (dynamic_cast<MorvexAudioProcessorEditor*> (rig.processor->createEditor()));
            rig.main = rig.editor->getMainComp();
        }

        const auto width = c.steps.back().width;
        ASSERT_EQ (rig.main->getWidth(), width);
        EXPECT_NEAR (rig.main->getKeyboardScale(), expected (width), 0.002f);
        auto& strip = rig.main->getKeyboard();
        EXPECT_EQ (strip.getHeight(), (int) (172.0f * rig.main->getKeyboardScale()));
        EXPECT_LE (strip.getKeys().getRight(), width + 1) << "every key in the window";
        EXPECT_EQ (rig.engine().getSettings().getInt (SettingsBlock::keyboardScaleOffset), (int) (rig.main->getKeyboardScale() * 1000.0f));
    }
}

TEST (MainCompLayout, ResizingAndZoomingLeaveNoEmptyArea)
{
    // An area nothing paints shows as a flat band; the panel's own texture has grain in every row
    // (the bars' edges and the strip's top line are flat, but only a few rows high).
    const struct { int width, height, zoomPermille; } cases[] = {
        { 1000, 644, 1000 }, { 1600, 644, 500 }, { 2426, 644, 750 }, { 700, 644, 600 }, { 640, 396, 500 }, { 1764, 480, 1000 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << c.width << "x" << c.height << " at " << c.zoomPermille);
        EditorRig rig;
        if (rig.main->isAboutOpen())
            rig.main->toggleAbout (0);
        rig.main->setZoom ((float) c.zoomPermille / 1000.0f);
        rig.editor->setSize (c.width, c.height);
        rig.main->getEditorPanel().layoutPanel();
        pumpPending();

        const auto image = rig.editor->createComponentSnapshot (rig.editor->getLocalBounds());
        const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::readOnly);
        int flatRows = 0, longestFlat = 0;
        for (int y = 0; y < image.getHeight(); ++y)
        {
            const auto first = pixels.getPixelColour (0, y);
            bool flat = true;
            for (int x = 1; x < image.getWidth() && flat; ++x)
                flat = pixels.getPixelColour (x, y) == first;
            flatRows = flat ? flatRows + 1 : 0;
            longestFlat = juce::jmax (longestFlat, flatRows);
        }
        EXPECT_LT (longestFlat, 8);
    }
}

TEST (MainCompLayout, ZoomHandleClampsToHalfAndFullSize)
{
    EditorRig rig;
    auto& settings = rig.engine().getSettings();
    const struct { int dragged; float zoom; int stored, panelHeight; } cases[] = {
        { 100, 0.5f, 500, 179 }, { 1000, 1.0f, 1000, 344 }, { 14 + 264, 0.8f, 800, 278 },
    };
    for (const auto& c : cases)
    {
        rig.main->zoomHandleMoved (c.dragged);
        EXPECT_FLOAT_EQ (rig.main->getZoom(), c.zoom) << c.dragged;
        EXPECT_EQ (settings.getInt (SettingsBlock::editorScaleOffset), c.stored) << c.dragged;
        EXPECT_EQ (rig.main->getEditorPanelBounds().getHeight(), c.panelHeight) << c.dragged;
        EXPECT_EQ (rig.main->getEditBarBounds().getY(), c.panelHeight + 24) << c.dragged;
        EXPECT_EQ (rig.main->getKeyboardBounds().getY(), c.panelHeight + 124) << c.dragged;
    }
}

TEST (MainCompMenus, PasteWaitsForTheFirstCopy)
{
    EditorRig rig;
    rig.main->showEditMenu();
    ASSERT_EQ (rig.shownItems.size(), 5);
    EXPECT_EQ (rig.shownItems[4], "Select Program by Name  (Ctrl+ F)");
    EXPECT_TRUE (rig.shownItems[2].startsWith ("Copy Program: "));
    EXPECT_EQ (rig.shownItems[3], "Paste ");

    rig.main->editMenuChosen (2);
    EXPECT_TRUE (rig.events().empty()) << "nothing to paste yet";

    auto record = rig.engine().getEditBuffer();
    std::memcpy (record.data() + 65, "Clipboard Lead  ", 16);
    rig.engine().storeProgram (false, 0, 0, record);
    rig.main->editMenuChosen (1);
    EXPECT_TRUE (rig.main->isClipboardFilled());

    // another program comes in; paste brings the copied one back
    auto other = record;
    std::memcpy (other.data() + 65, "Something Else  ", 16);
    rig.engine().storeProgram (false, 0, 0, other);
    rig.events();

    rig.main->showEditMenu();
    EXPECT_EQ (rig.shownItems[3], "Paste Clipboard Lead");
    rig.main->editMenuChosen (2);
    EXPECT_EQ (rig.engine().getEditBuffer(), record);
    EXPECT_EQ (rig.events(), std::vector<int32_t> { StateEvent::editBufferChanged });
}

TEST (MainCompMenus, ChannelModelParamAndSendMenus)
{
    EditorRig rig;
    auto& label = rig.main->getAppBar().getChannelLabel();
    EXPECT_EQ (label.getText(), "Channel: 1");

    rig.pick = 1; // the channel already set: nothing changes
    rig.main->showChannelMenu();
    EXPECT_EQ (rig.shownItems.size(), 16);
    EXPECT_EQ (rig.shownItems[15], "Channel 16");
    EXPECT_TRUE (rig.events().empty());

    rig.pick = 5;
    label.sendSynchronousChangeMessage(); // a click on the label
    EXPECT_EQ (rig.engine().getMidiChannel(), 5);
    EXPECT_EQ (label.getText(), "Channel: 5");
    EXPECT_EQ (rig.events(), std::vector<int32_t> { StateEvent::channelChanged });

    rig.pick = 2;
    EXPECT_TRUE (rig.main->keyPlayed (0, 'h', false, false, true));
    EXPECT_EQ (rig.shownItems, juce::StringArray ({ "Model Prophet~5", "Model Prophet~10" }));
    EXPECT_EQ (rig.engine().getSettings().getInt (SettingsBlock::modelOffset), 1);

    rig.pick = 0;
    rig.main->showParamMenu();
    EXPECT_EQ (rig.shownItems, juce::StringArray ({ "Poly Mode      F1", "Oscillators     F2", "Mixer            F3", "Filter            F4" }));

    // The plug-in's preset 0 goes out as the edit buffer.
    rig.pick = 2;
    rig.main->showSendMenu();
    EXPECT_EQ (rig.shownItems[1], "FX Bank Preset: Poly Brass");
    EXPECT_EQ (rig.engine().getEditBuffer(), rig.engine().getPluginBank().programRecord (0));
    EXPECT_TRUE (startsWith (rig.wire (1).back(), { 0xF0, 0x01, 0x32, 0x03 }));
}

TEST (MainCompMenus, CopyTakesTheProgramWithoutSendingIt)
{
    EditorRig rig;
    rig.pick = 1;
    rig.main->showEditMenu();
    EXPECT_TRUE (rig.main->isClipboardFilled());
    EXPECT_EQ (rig.events(), std::vector<int32_t> { StateEvent::editBufferChanged }) << "the panel shows it again";
    EXPECT_TRUE (heard (rig).empty()) << "nothing on the wire";
}

TEST (MainCompMenus, ModelAndChannelMenusTickTheCurrentChoiceAndAModelShowsAtOnce)
{
    EditorRig rig;
    if (rig.main->isAboutOpen()) // the first opening's welcome
        rig.main->toggleAbout (0);
    rig.main->showChannelMenu();
    EXPECT_EQ (rig.tickedItems, juce::StringArray ("Channel 1"));
    rig.pick = 7;
    rig.main->showChannelMenu();
    rig.pick = 0;
    rig.main->showChannelMenu();
    EXPECT_EQ (rig.tickedItems, juce::StringArray ("Channel 7"));

    rig.main->showModelMenu();
    EXPECT_EQ (rig.tickedItems, juce::StringArray ("Model Prophet~5"));

    // the edit bar's logo changes with the choice, in the editor already open
    auto& bar = rig.main->getEditBar();
    const auto logo = [&bar] { return bar.createComponentSnapshot (bar.getLogoBounds()); };
    const auto prophet5 = logo();
    rig.pick = 2;
    rig.main->showModelMenu();
    EXPECT_EQ (bar.getModel(), 1);
    const auto prophet10 = logo();
    bool changed = false;
    for (int y = 0; y < prophet5.getHeight() && ! changed; ++y)
        for (int x = 0; x < prophet5.getWidth() && ! changed; ++x)
            changed = prophet5.getPixelAt (x, y) != prophet10.getPixelAt (x, y);
    EXPECT_TRUE (changed) << "the Prophet-10's logo is drawn";
    rig.pick = 0;
    rig.main->showModelMenu();
    EXPECT_EQ (rig.tickedItems, juce::StringArray ("Model Prophet~10"));

    // an About panel open at the time shows the chosen model's picture too
    rig.main->toggleAbout (0);
    ASSERT_TRUE (rig.main->isAboutOpen());
    EXPECT_EQ (rig.main->getAboutPanel()->getModel(), 1);
    rig.main->modelMenuChosen (1);
    EXPECT_EQ (rig.main->getAboutPanel()->getModel(), 0);
    EXPECT_EQ (bar.getModel(), 0);
    rig.main->toggleAbout (0);
    pumpPending();
}

TEST (MainCompMenus, EachBarMenuOpensUnderItsOwnControlAndGivesTheKeysBackToThePlayer)
{
    EditorRig rig;
    if (rig.main->isAboutOpen())
        rig.main->toggleAbout (0);
    rig.main->chooseFromMenu = nullptr; // the real menus, on the screen
    rig.editor->addToDesktop (0);
    rig.editor->setVisible (true);
    auto& bar = rig.main->getAppBar();
    auto& player = rig.main->getKeyboard().getKeyPlayer();
    auto* modal = juce::ModalComponentManager::getInstance();

    const struct { const char* what; void (MainComp::*show)(); juce::Component* anchor; } cases[] = {
        { "FILE", &MainComp::showFileMenu, bar.getButton (AppBar::fileId) },
        { "EDIT", &MainComp::showEditMenu, bar.getButton (AppBar::editId) },
        { "PARAM", &MainComp::showParamMenu, bar.getButton (AppBar::paramId) },
        { "SEND", &MainComp::showSendMenu, bar.getButton (AppBar::sendId) },
        { "MODEL", &MainComp::showModelMenu, bar.getButton (AppBar::modelId) },
        { "channel", &MainComp::showChannelMenu, &bar.getChannelLabel() },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        // a click on the bar leaves the keys with the editor, not with its player
        rig.main->grabKeyboardFocus();
        ASSERT_TRUE (pumpUntil ([&] { return rig.main->hasKeyboardFocus (false); }));

        (rig.main->*c.show)();
        ASSERT_TRUE (pumpUntil ([&] { return modal->getNumModalComponents() > 0; }));
        const auto menuX = modal->getModalComponent (0)->getScreenX();
        EXPECT_NEAR (menuX, c.anchor->getScreenX(), 10) << "opens under its own control";

        juce::PopupMenu::dismissAllActiveMenus();
        EXPECT_TRUE (pumpUntil ([&] { return modal->getNumModalComponents() == 0 && player.hasKeyboardFocus (false); }));
    }
    rig.editor->removeFromDesktop();
}

TEST (MainCompBar, ShowsItsButtonsInTheirPlacesWithTheirTooltips)
{
    EditorRig rig;
    auto& bar = rig.main->getAppBar();
    EXPECT_EQ (bar.getBounds(), juce::Rectangle<int> (0, 0, rig.main->getWidth(), 24));

    juce::StringArray captions;
    for (auto* b : bar.getButtons())
    {
        captions.add (b->getCaption());
        EXPECT_EQ (b->getBounds(), juce::Rectangle<int> (40 + 54 * (captions.size() - 1), 3, 50, 16)) << b->getCaption();
    }
    EXPECT_EQ (captions.joinIntoString (" "), "BANKS FILE EDIT MIDI PARAM SEND RECV WRITE MODEL");
    EXPECT_EQ (bar.getButton (AppBar::banksId)->getTooltip(), "Program Banks  ( F6 )");
    EXPECT_EQ (bar.getButton (AppBar::sendId)->getTooltip(), "Send Current Preset  (Ctrl+ T)");
    EXPECT_EQ (bar.getButton (AppBar::recvId)->getTooltip(), "Receive Current Program  (Ctrl+ R)");
    EXPECT_EQ (bar.getButton (AppBar::midiId)->getTooltip(), "MIDI Settings  ( F7 )");
    EXPECT_EQ (bar.getMenuButton().getTooltip(), "Preset Manager  ( F5 )");
    EXPECT_EQ (bar.getChannelLabel().getX(), bar.getButtons().getLast()->getRight() + 18);
}

TEST (MainCompStatus, TheStatusLineSaysWhatJustHappenedToTheProgram)
{
    EditorRig rig;
    auto& strip = rig.main->getKeyboard();
    const auto showEvents = [&] { rig.engine().dispatchPendingNotifications(); pumpPending(); };

    rig.main->sendCurrentProgram();
    EXPECT_EQ (strip.getStatus(), "Program sent");
    rig.settle(); // the dump is in before the instrument's program is changed under it

    // the instrument's answer to RECV, named
    auto answer = namedRecord ("Brass Stab");
    rig.instrument->setEditBuffer (answer);
    rig.main->stsButtonClicked (rig.main->getAppBar().getButton (AppBar::recvId), AppBar::recvId);
    EXPECT_TRUE (pumpUntil ([&] { rig.engine().dispatchPendingNotifications(); return strip.getStatus() == "Program received: Brass Stab"; }))
        << strip.getStatus();

    // no output: a panel edit and a note both say they went nowhere, and so does SEND
    rig.engine().selectOutputPort (0);
    showEvents();
    rig.main->sendCurrentProgram();
    EXPECT_EQ (strip.getStatus(), "Not connected: program not sent");
    rig.main->getEditorPanel().getSurface().getControl (17)->applyValue (30);
    showEvents();
    EXPECT_EQ (strip.getStatus(), "Not connected: edit not sent");

    rig.main->showNotice ("something else");
    rig.engine().sendNoteOn (1, 60, 100);
    rig.engine().sendNoteOff (1, 60);
    showEvents();
    EXPECT_EQ (strip.getStatus(), "Not connected: edit not sent") << "told again for the next one";
}

TEST (MainCompFiles, TheFileMenuLoadsAProgramAndSavesOneThatLoadsBack)
{
    EditorRig rig;
    const auto& folder = rig.folder;
    std::vector<juce::File> answers;
    std::vector<FileMan::Request> asked;
    rig.main->chooseFile = [&] (const FileMan::Request& request, std::function<void (const juce::File&)> done)
    {
        asked.push_back (request);
        ASSERT_FALSE (answers.empty());
        const auto answer = answers.front();
        answers.erase (answers.begin());
        done (answer);
    };
    const auto showTheEdits = [&]
    {
        rig.settle();
        rig.engine().dispatchPendingNotifications();
        pumpPending();
    };

    // A .syx file from another tool: its dump is played, shown on the panel and told to the host.
    auto record = rig.engine().getEditBuffer();
    auto& table = rig.engine().getParTable();
    record[17] = (uint8_t) (table.getMaximum (17) - 3);
    std::memcpy (record.data() + 65, "From A File     ", 16);
    folder.write ("Lead.syx", Bytes { 0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7 } + ProgramSysex::editBufferDump (record));
    answers = { folder.file ("Lead.syx") };
    rig.main->fileMenuChosen (1);
    EXPECT_EQ (asked.back().filter, "*.p5_p;*.syx;");
    EXPECT_EQ (rig.engine().getEditBuffer(), record);
    EXPECT_EQ (rig.main->getKeyboard().getStatus(), "LOADED Lead.syx");
    showTheEdits();
    const auto cutoffText = ValueFormat::formatValue (table.getDisplayFormat (17), record[17]);
    EXPECT_EQ (rig.main->getEditorPanel().getSurface().getControl (17)->getDisplayText(), cutoffText);
    EXPECT_EQ (rig.hostText ("FILTER CUTOFF"), cutoffText);

    rig.main->showFileMenu();
    EXPECT_EQ (rig.shownItems, juce::StringArray ({ "Load Single Program", "Save From A File", "About" }));

    // Saved under a typed name without extension: the program file's own is added, and the file,
    // of a program from no slot, is its edit-buffer dump.
    answers = { folder.file ("Saved") };
    rig.main->fileMenuChosen (2);
    EXPECT_EQ (asked.back().title, "Save Prophet~5/10 Program");
    EXPECT_EQ (asked.back().initialFile.getFileName(), "From A File");
    EXPECT_EQ (folder.read ("Saved.p5_p"), ProgramSysex::editBufferDump (record));
    EXPECT_TRUE (rig.main->getKeyboard().getStatus().contains ("SAVED Saved.p5_p"));

    // Stored as it is in the current slot, it is saved addressed to that slot; and loads back.
    const auto group = rig.engine().getCurrentBank(), index = rig.engine().getCurrentProgram();
    rig.engine().getInstrumentBank (group).storeProgram (index, record);
    answers = { folder.file ("Slot.p5_p") };
    rig.main->fileMenuChosen (2);
    EXPECT_EQ (folder.read ("Slot.p5_p"), ProgramSysex::programDump (group, index, record));
    rig.engine().storeProgram (false, 0, 0, rig.engine().getPluginBank().programRecord (3));
    answers = { folder.file ("Slot.p5_p") };
    rig.main->fileMenuChosen (1);
    EXPECT_EQ (rig.engine().getEditBuffer(), record);

    // A file with no program in it changes nothing and says so; a cancelled dialog says nothing.
    folder.write ("Notes.p5_p", Bytes (300, 'x'));
    answers = { folder.file ("Notes.p5_p"), juce::File() };
    rig.main->fileMenuChosen (1);
    EXPECT_EQ (rig.engine().getEditBuffer(), record);
    EXPECT_TRUE (rig.main->getKeyboard().getStatus().contains ("NO PROGRAM FOUND IN Notes.p5_p"));
    rig.main->getKeyboard().setStatus ({});
    rig.main->fileMenuChosen (1);
    EXPECT_EQ (rig.main->getKeyboard().getStatus(), "");
}

TEST (MainCompFiles, AFailedSaveKeepsTheOldFileAndSaysSo)
{
    EditorRig rig;
    const auto& folder = rig.folder;
    juce::File answer;
    rig.main->chooseFile = [&] (const FileMan::Request&, std::function<void (const juce::File&)> done) { done (answer); };

    // A write that fails half-way leaves the old file byte for byte.
    const Bytes old { 0xF0, 0x01, 0x32, 0x03, 0x01, 0x02, 0xF7, 0x0A, 0x0B, 0x0C };
    folder.write ("Old.p5_p", old);
    rig.main->writeFile = [] (const juce::File& file, const void* data, size_t size)
    {
        return SafeFile::replace (file, [&] (juce::OutputStream& out) { return out.write (data, size / 2) && false; });
    };
    answer = folder.file ("Old.p5_p");
    rig.main->fileMenuChosen (2);
    EXPECT_EQ (folder.read ("Old.p5_p"), old);
    EXPECT_TRUE (rig.main->getKeyboard().getStatus().startsWith ("NOT SAVED: Old.p5_p")) << rig.main->getKeyboard().getStatus();

    // A folder that cannot be made (a file stands where it would be).
    rig.main->writeFile = SafeFile::replaceWith;
    folder.write ("NotAFolder", old);
    answer = folder.file ("NotAFolder").getChildFile ("Lead.p5_p");
    rig.main->fileMenuChosen (2);
    EXPECT_TRUE (rig.main->getKeyboard().getStatus().startsWith ("NOT SAVED: Lead.p5_p"));
    EXPECT_EQ (folder.read ("NotAFolder"), old);
}
