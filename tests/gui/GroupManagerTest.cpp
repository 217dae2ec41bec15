#include "EditorRig.h"
#include "groups/FactoryData.h"
#include "gui/GroupMenus.h"
#include "librarian/ProgramFile.h"
#include "model/DSI_Program.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
/** An editor whose first opening's About panel is out of the way and whose instrument has heard
    nothing yet. */
struct ManagerRig : EditorRig
{
    ManagerRig()
    {
        if (main->isAboutOpen())
            main->toggleAbout (0);
        instrument->clearLog();
    }

    BankComp& manager() { return main->getGroupManager(); }
    StsGrid& grid() { return manager().getGrid(); }
};
}

TEST (GroupManager, OpensAndClosesUnderTheOverlayRules)
{
    ManagerRig rig;
    auto& main = *rig.main;
    rig.engine().selectProgram (2 * 40 + 5, false, false);
    auto edited = rig.engine().getEditBuffer();
    edited[17] = (uint8_t) (edited[17] + 1); // an edit not yet written anywhere
    rig.engine().storeProgram (false, 0, 0, edited);
    ASSERT_TRUE (pumpUntil ([&] { return rig.instrument->getEditBuffer() == edited; })) << "the edit reaches the instrument";
    const auto panelHeight = main.getEditorPanelBounds().getHeight();
    main.toggleMidiSetup();
    ASSERT_NE (main.getMidiSetup(), nullptr);
    rig.settle(); // its request for the globals, and the answer
    pumpPending();
    rig.instrument->clearLog();

    // F6 opens it over the editor on the current group and program, with the keyboard below it,
    // and shutting whatever else was open.
    EXPECT_TRUE (main.keyPlayed (MainComp::frontPanel, MainComp::keyF6, false, false, false));
    ASSERT_TRUE (main.isGroupManagerOpen());
    pumpPending();
    EXPECT_EQ (main.getMidiSetup(), nullptr);
    EXPECT_EQ (main.getActivePanel(), MainComp::groupManagerPanel);
    EXPECT_EQ (rig.grid().getMode(), StsGrid::programMode);
    EXPECT_EQ (rig.grid().getGroup(), 2);
    EXPECT_EQ (rig.grid().getSelectedRow(), 5);
    EXPECT_EQ (main.getKeyboardBounds().getY(), main.getGroupManagerBounds().getBottom());
    EXPECT_EQ (main.getKeyboardBounds().getBottom(), main.getHeight());
    EXPECT_NE (rig.manager().getPreview(), nullptr);
    EXPECT_TRUE (heard (rig).empty()) << "opening selects nothing on the instrument";
    EXPECT_EQ (rig.engine().getEditBuffer(), edited) << "and keeps the edit being worked on";

    // F6 again, Escape and OK close it; the front panel comes back at its height.
    const struct { const char* what; std::function<void()> close; } closers[] = {
        { "F6", [&] { main.keyPlayed (MainComp::groupManagerPanel, MainComp::keyF6, false, false, false); } },
        { "Escape", [&] { main.keyPlayed (MainComp::groupManagerPanel, MainComp::keyEscape, false, false, false); } },
        { "OK", [&] { main.stsButtonClicked (&rig.manager().getOkButton(), 0); } },
        { "BANKS", [&] { main.stsButtonClicked (main.getAppBar().getButton (AppBar::banksId), AppBar::banksId); } },
    };
    for (const auto& c : closers)
    {
        if (! main.isGroupManagerOpen())
            main.toggleGroupManager();
        c.close();
        EXPECT_FALSE (main.isGroupManagerOpen()) << c.what;
        EXPECT_EQ (main.getActivePanel(), MainComp::frontPanel) << c.what;
        EXPECT_EQ (main.getEditorPanelBounds(), juce::Rectangle<int> (0, MainComp::barHeight, main.getWidth(), panelHeight)) << c.what;
    }

    // Not while a transfer runs.
    rig.instrument->setSilent (true);
    ASSERT_TRUE (rig.engine().startTransfer (MidiCntrState::receiveOneGroup, 0));
    main.keyPlayed (MainComp::frontPanel, MainComp::keyF6, false, false, false);
    main.stsButtonClicked (main.getAppBar().getButton (AppBar::banksId), AppBar::banksId);
    EXPECT_FALSE (main.isGroupManagerOpen());
    rig.engine().cancelTransfer();
}

TEST (GroupManager, ChoosingAProgramSelectsItOnTheInstrumentOrLoadsTheStoredOne)
{
    ManagerRig rig;
    auto& engine = rig.engine();
    auto stored = namedRecord ("Stored Here");
    stored[17] = 3;
    engine.getInstrumentBank (6).storeProgram (12, stored);
    rig.main->toggleGroupManager();

    const struct
    {
        const char* what;
        bool useStored;
        std::vector<Bytes> wire;
    } cases[] = {
        { "off: the instrument selects its own slot", false, { { 0xB0, 32, 6 }, { 0xC0, 12 } } },
        { "on: the stored record is played as the edit buffer", true, { ProgramSysex::editBufferDump (stored) } },
    };
    for (const auto& c : cases)
    {
        if (engine.isLoadStoredProgramsOn() != c.useStored)
            rig.main->groupManagerCommand (BankComp::useLoadedToggled);
        rig.grid().loadProgramMode (6);
        rig.instrument->clearLog();
        rig.grid().selectRow (12);
        pumpUntil ([&] { return rig.instrument->messages().size() >= c.wire.size(); });
        EXPECT_EQ (heard (rig), c.wire) << c.what;
        EXPECT_EQ (engine.getCurrentBank(), 6) << c.what;
        EXPECT_EQ (engine.getCurrentProgram(), 12) << c.what;
        EXPECT_EQ (engine.getEditBuffer(), stored) << c.what;
    }

    // Up and Down move the selection, and so select.
    rig.instrument->clearLog();
    rig.main->groupManagerCommand (BankComp::useLoadedToggled);
    ASSERT_FALSE (engine.isLoadStoredProgramsOn());
    rig.main->keyPlayed (MainComp::groupManagerPanel, MainComp::keyDown, false, false, false);
    EXPECT_EQ (rig.grid().getSelectedRow(), 13);
    EXPECT_EQ (heard (rig), (std::vector<Bytes> { { 0xB0, 32, 6 }, { 0xC0, 13 } }));
}

TEST (GroupManager, GroupButtonsAndPresetsFillAndSelectGroups)
{
    ManagerRig rig;
    auto& engine = rig.engine();
    engine.selectProgram (3, false, false);
    rig.main->toggleGroupManager();

    // A group button lists that group and selects the current index in it.
    rig.instrument->clearLog();
    rig.manager().stsButtonClicked (&rig.manager().getGroupButton (7), 0);
    pumpPending();
    EXPECT_EQ (rig.grid().getGroup(), 7);
    EXPECT_EQ (engine.getCurrentBank(), 7);
    EXPECT_EQ (engine.getCurrentProgram(), 3);
    EXPECT_EQ (heard (rig), (std::vector<Bytes> { { 0xB0, 32, 7 }, { 0xC0, 3 } }));

    // The third factory block into the current group 7; initialising is for user groups only.
    rig.pick = GroupMenus::firstFactoryBlockId + 2;
    rig.main->groupManagerCommand (BankComp::presetsMenu);
    EXPECT_FALSE (rig.shownItems.joinIntoString ("|").contains ("Initialize"));
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE (std::equal (FactoryData::group (2) + i * 128, FactoryData::group (2) + i * 128 + 128,
                                 engine.getInstrumentBank (7).programRecord (i).begin())) << i;

    rig.manager().stsButtonClicked (&rig.manager().getGroupButton (1), 0);
    pumpPending();
    rig.pick = GroupMenus::initialiseGroupId;
    rig.main->groupManagerCommand (BankComp::presetsMenu);
    for (int i = 0; i < 40; ++i)
        ASSERT_EQ (engine.getInstrumentBank (1).programName (i), "Basic Program") << i;
    EXPECT_EQ (rig.grid().getGroup(), 1);
}

TEST (GroupManager, AProgramsMenuPastesAndLoadsIntoItsSlot)
{
    ManagerRig rig;
    auto& engine = rig.engine();
    rig.main->toggleGroupManager();
    const auto copied = namedRecord ("Copied Sound");
    engine.getInstrumentBank (0).storeProgram (4, copied);
    rig.folder.write ("Loaded.syx", ProgramFile::writeSingle (namedRecord ("From A File"), -1, -1));
    rig.main->chooseFile = [&] (const FileMan::Request&, std::function<void (const juce::File&)> done) { done (rig.folder.file ("Loaded.syx")); };
    pumpPending();
    rig.events();

    const auto menu = [&] (int group, int program, int item)
    {
        rig.pick = item;
        rig.main->gridEvent (&rig.grid(), group, program, GridListener::contextMenuEvent);
    };
    menu (0, 4, GroupMenus::copyProgram);
    EXPECT_EQ (rig.shownItems[0], "Copy Program: Copied Sound");

    const struct { const char* what; int item, group, program; const char* name; } cases[] = {
        { "paste", GroupMenus::pasteProgram, 8, 17, "Copied Sound" },
        { "load a program file", GroupMenus::loadProgram, 3, 39, "From A File" },
    };
    for (const auto& c : cases)
    {
        menu (c.group, c.program, c.item);
        EXPECT_EQ (engine.getInstrumentBank (c.group).programName (c.program), c.name) << c.what;
        EXPECT_EQ (rig.events(), (std::vector<int32_t> { StateEvent::mirrorChanged, StateEvent::editBufferChanged })) << c.what;
    }
    EXPECT_EQ (rig.shownItems[1], "Paste Copied Sound");
}

TEST (GroupManager, GroupFilesLoadIntoAnyGroupAndSaveFromIt)
{
    ManagerRig rig;
    auto& engine = rig.engine();
    juce::File answer;
    rig.main->chooseFile = [&] (const FileMan::Request&, std::function<void (const juce::File&)> done) { done (answer); };
    const auto keptBefore = engine.getInstrumentBank (6).programRecord (3);

    // Three dumps into factory group 2: its first three programs, the rest as they were.
    rig.folder.write ("Three.p5_b", ProgramFile::writeGroup (0, { namedRecord ("One"), namedRecord ("Two"), namedRecord ("Three") }));
    answer = rig.folder.file ("Three.p5_b");
    rig.main->toggleGroupManager();
    rig.pick = 106;
    rig.main->groupManagerCommand (BankComp::fileMenu);
    EXPECT_EQ (engine.getInstrumentBank (6).programName (2), "Three");
    EXPECT_EQ (engine.getInstrumentBank (6).programRecord (3), keptBefore);

    // Saving it writes the group file of its 40 programs.
    answer = rig.folder.file ("Saved.p5_b");
    rig.pick = 206;
    rig.main->groupManagerCommand (BankComp::fileMenu);
    std::vector<ProgramSysex::Record> records;
    for (int i = 0; i < 40; ++i)
        records.push_back (engine.getInstrumentBank (6).programRecord (i));
    EXPECT_EQ (rig.folder.read ("Saved.p5_b"), ProgramFile::writeGroup (6, records));
}

TEST (GroupManager, TheTransferMenuStartsTheTransferChosen)
{
    ManagerRig rig;
    rig.main->toggleGroupManager();
    rig.pick = 10; // "Receive Program Group " > "Factory Group 5"

    // with no output chosen nothing starts, and the line under the keyboard says why
    rig.engine().selectOutputPort (0);
    rig.main->groupManagerCommand (BankComp::midiMenu);
    EXPECT_FALSE (rig.engine().isBusy());
    EXPECT_EQ (rig.main->getProgressBar(), nullptr);
    EXPECT_EQ (rig.main->getKeyboard().getStatus(), "NO MIDI OUTPUT: CHOOSE THE INSTRUMENT IN MIDI SETUP");
    rig.engine().selectOutputPort (1);

    rig.instrument->setSilent (true); // keeps it running while the test looks
    rig.main->groupManagerCommand (BankComp::midiMenu);
    EXPECT_EQ (rig.engine().getTransferKind(), MidiCntrState::receiveOneGroup);
    EXPECT_NE (rig.main->getProgressBar(), nullptr);
    EXPECT_EQ (rig.wire (1).front(), (Bytes { 0xF0, 0x01, 0x32, 0x05, 0x09, 0x00, 0xF7 }));
    rig.main->stsButtonClicked (&rig.main->getProgressBar()->getCancelButton(), ProgBar::cancelId);
    EXPECT_FALSE (rig.engine().isBusy());
    EXPECT_EQ (rig.main->getKeyboard().getStatus(), "CANCELLED: 0 OF 40 PROGRAMS RECEIVED");
}
