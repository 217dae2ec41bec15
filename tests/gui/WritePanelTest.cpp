#include "EditorRig.h"
#include "MouseEvents.h"
#include "gui/GroupMenus.h"
#include "model/DSI_Program.h"

#include <gtest/gtest.h>

namespace
{
/** An editor with the About panel out of the way, a sound being edited with a name and a
    category of its own, and an instrument that has heard nothing yet. */
struct WriteRig : EditorRig
{
    WriteRig()
    {
        if (main->isAboutOpen())
            main->toggleAbout (0);
        engine().selectProgram (45, false, false);
        auto record = engine().getEditBuffer();
        DSI_Program program;
        program.setRaw (record.data());
        program.setName ("Edited Sound");
        record = program.getData();
        record[DSI_Program::categoryOffset] = 4;
        record[17] = 99;
        engine().storeProgram (false, 0, 0, record, InstrumentSync::Origin::sentByCaller);
        pumpPending();
        settle();
        instrument->clearLog();
    }

    WriteSnd& panel()
    {
        if (main->getWritePanel() == nullptr)
            main->toggleWritePanel();
        return *main->getWritePanel();
    }

    /** WRITE, then waits for the instrument's answer to have been judged. */
    void write()
    {
        main->stsButtonClicked (&panel().getWriteButton(), WriteSnd::writeId);
        EXPECT_EQ (main->getWritePanel(), nullptr) << "WRITE closes the panel";
        pumpUntil ([&] { return engine().getWriteCheck().state != GroupTransfer::WriteCheck::pending
                             && ! main->getKeyboard().getStatus().startsWith ("WRITING"); }, 5000);
        pumpPending();
    }
};
}

TEST (WritePanel, OpensOnTheCurrentSlotWithTheSoundsNameAndCategory)
{
    WriteRig rig;
    rig.main->toggleGroupManager();
    EXPECT_TRUE (rig.main->keyPlayed (MainComp::frontPanel, 'w', false, false, true)) << "Ctrl+W";
    ASSERT_NE (rig.main->getWritePanel(), nullptr);
    auto& panel = *rig.main->getWritePanel();
    EXPECT_FALSE (rig.main->isGroupManagerOpen());
    EXPECT_EQ (rig.main->getActivePanel(), MainComp::writePanelCode);
    EXPECT_EQ (panel.getGrid().getMode(), StsGrid::programMode);
    EXPECT_EQ (panel.getGrid().getGroup(), 1);
    EXPECT_EQ (panel.getGrid().getSelectedRow(), 5);
    EXPECT_EQ (panel.getDisplay().getName(), "Edited Sound    ");
    EXPECT_EQ (panel.getDisplay().getCategory(), 4);

    // Down moves the list's selection, which is the slot written to
    rig.main->keyPlayed (MainComp::writePanelCode, MainComp::keyDown, false, false, false);
    EXPECT_EQ (panel.getChosenProgram(), 6);

    // renames: cut to 16 characters or padded to them
    const struct { const char* typed; const char* shown; } renames[] = {
        { "Twenty Characters ok", "Twenty Character" },
        { "Abc", "Abc             " },
    };
    for (const auto& r : renames)
    {
        panel.openRename();
        ASSERT_NE (panel.getRenameBox(), nullptr);
        panel.getRenameBox()->getField().setText (r.typed);
        panel.stsButtonClicked (&panel.getRenameBox()->getOkButton(), RenameCnt::okId);
        EXPECT_EQ (panel.getDisplay().getName(), r.shown);
    }

    // a click on the display's name opens the rename box, on its category the category menu
    auto& display = panel.getDisplay();
    const auto scale = display.getScale();
    display.mouseDown (MouseEvents::at (display, 60.0f * scale, 34.0f * scale));
    EXPECT_NE (panel.getRenameBox(), nullptr);
    rig.pick = 8;
    display.mouseDown (MouseEvents::at (display, 100.0f * scale, 12.0f * scale));
    EXPECT_EQ (panel.getDisplay().getCategory(), 7);

    // CANCEL: nothing written, nothing current changed
    rig.main->stsButtonClicked (&panel.getCancelButton(), WriteSnd::cancelId);
    EXPECT_EQ (rig.main->getWritePanel(), nullptr);
    EXPECT_EQ (rig.main->getActivePanel(), MainComp::frontPanel);
    EXPECT_EQ (rig.engine().getCurrentBank(), 1);
    EXPECT_EQ (rig.engine().getCurrentProgram(), 5);
    EXPECT_TRUE (heard (rig).empty());

    // not while a transfer runs
    rig.instrument->setSilent (true);
    ASSERT_TRUE (rig.engine().startTransfer (MidiCntrState::receiveOneGroup, 0));
    rig.main->stsButtonClicked (rig.main->getAppBar().getButton (AppBar::writeId), AppBar::writeId);
    EXPECT_EQ (rig.main->getWritePanel(), nullptr);
    rig.engine().cancelTransfer();
}

TEST (WritePanel, WritesToTheChosenSlotAndChecksThatTheInstrumentHasIt)
{
    WriteRig rig;
    auto& panel = rig.panel();
    panel.stsButtonClicked (&panel.getGroupButton (7), 0); // the third factory group
    panel.getGrid().selectRow (12);
    const auto expected = [&]
    {
        auto record = rig.engine().getEditBuffer();
        return record;
    }();
    rig.write();

    const auto stored = rig.engine().getInstrumentBank (7).programRecord (12);
    EXPECT_EQ (stored, expected) << "the name and category were the sound's own";
    const auto wire = heard (rig);
    ASSERT_GE (wire.size(), 2u);
    EXPECT_EQ (wire[0], ProgramSysex::programDump (7, 12, stored));
    EXPECT_EQ (Bytes (wire[0].begin(), wire[0].begin() + 6), (Bytes { 0xF0, 0x01, 0x32, 0x02, 0x07, 0x0C }));
    EXPECT_EQ (wire[1], ProgramSysex::programDumpRequest (7, 12)) << "then asked back";
    EXPECT_EQ (rig.engine().loadedProgramIndex(), 292);
    EXPECT_EQ (rig.instrument->getProgram (7, 12), stored);
    EXPECT_EQ (rig.main->getKeyboard().getStatus(), "Written and verified");
    EXPECT_EQ (rig.engine().getEditBuffer(), stored) << "checking changes nothing being edited";
}

TEST (WritePanel, AWriteTheInstrumentLostIsReportedAndWrittenAgain)
{
    WriteRig rig;
    const auto old = rig.instrument->getProgram (2, 3);
    rig.instrument->ignoreProgramDumps (1);
    auto& panel = rig.panel();
    panel.stsButtonClicked (&panel.getGroupButton (2), 0);
    panel.getGrid().selectRow (3);
    rig.write();

    auto* alert = rig.main->getProgressBar();
    ASSERT_NE (alert, nullptr);
    EXPECT_EQ (alert->getOverallText(), "Write not confirmed");
    EXPECT_TRUE (alert->getReportLines()[0].startsWith ("Write to U: 3  1  4 not confirmed"));
    EXPECT_EQ (alert->getRetryButton().getCaption(), "Write again");
    EXPECT_EQ (rig.instrument->getProgram (2, 3), old);
    EXPECT_NE (rig.engine().getInstrumentBank (2).programRecord (3), old) << "the mirror keeps what was meant";

    rig.main->stsButtonClicked (&alert->getRetryButton(), ProgBar::retryId);
    ASSERT_TRUE (pumpUntil ([&] { return rig.main->getKeyboard().getStatus() == "Written and verified"; }, 5000));
    EXPECT_EQ (rig.instrument->getProgram (2, 3), rig.engine().getInstrumentBank (2).programRecord (3));
    EXPECT_EQ (rig.main->getProgressBar(), nullptr);
}

TEST (WritePanel, WithoutAnInputTheWriteIsSaidToBeUnverified)
{
    WriteRig rig;
    rig.engine().selectInputPort (0);
    rig.panel();
    rig.write();
    EXPECT_EQ (rig.main->getKeyboard().getStatus(), "Written (not verified: no MIDI input)");
    EXPECT_EQ (rig.main->getProgressBar(), nullptr);
}
