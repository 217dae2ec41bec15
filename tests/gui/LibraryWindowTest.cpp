#include "EditorRig.h"
#include "MouseEvents.h"

#include <gtest/gtest.h>

namespace
{
struct WindowRig : EditorRig
{
    WindowRig()
    {
        if (main->isAboutOpen())
            main->toggleAbout (0);
    }

    Lib_Manager_Comp& content() { return main->getLibraryWindow()->getContent(); }
    bool shown() { return main->getLibraryWindow() != nullptr && main->getLibraryWindow()->isVisible(); }
};
}

TEST (LibraryWindow, OpensOnThePresetBankWithSetCurrentAndKeepsItsView)
{
    WindowRig rig;
    rig.processor->setCurrentProgram (7);
    pumpPending();

    // F5: the preset bank, the current preset selected, SET CURRENT offered
    EXPECT_TRUE (rig.main->keyPlayed (MainComp::frontPanel, MainComp::keyF5, false, false, false));
    ASSERT_TRUE (rig.shown());
    auto& content = rig.content();
    EXPECT_EQ (content.getViewName(), "PRESET BANK");
    EXPECT_EQ (content.getKeyPlayer().getPanelCode(), MainComp::presetListPanel);
    auto* bank = content.getPresetBank();
    ASSERT_NE (bank, nullptr);
    EXPECT_EQ (bank->getList().getSelectedRow(), 7);
    ASSERT_NE (bank->getSetCurrentBox(), nullptr);
    EXPECT_TRUE (bank->getSetCurrentBox()->isVisible());
    EXPECT_EQ (bank->getSetCurrentBox()->getTarget(), 7);

    // Down in its key strip moves the preset list, and the preset becomes current
    bank->getSetCurrentBox()->setVisible (false);
    rig.main->keyPlayed (MainComp::presetListPanel, MainComp::keyDown, false, false, false);
    EXPECT_EQ (rig.processor->getCurrentProgram(), 8);

    // the host choosing a preset moves the list too
    rig.processor->setCurrentProgram (20);
    pumpUntil ([&] { return bank->getList().getSelectedRow() == 20; });
    EXPECT_EQ (bank->getList().getSelectedRow(), 20);

    // the LIBRARY tab; Escape hides the window, F5 brings back the same view, with no dialog
    content.libButClicked (&content.getTab (Lib_Manager_Comp::libraryTabId), Lib_Manager_Comp::libraryTabId);
    EXPECT_EQ (content.getViewName(), "LIBRARY");
    EXPECT_EQ (content.getKeyPlayer().getPanelCode(), MainComp::libraryListPanel);
    ASSERT_NE (content.getLibrary(), nullptr);
    auto& model = content.getLibrary()->getModel();
    const auto size = model.size();
    auto record = rig.engine().getEditBuffer();
    record[17] = (uint8_t) (record[17] ^ 0x55);
    ASSERT_TRUE (model.addCurrent (record, "Kept Here", 1).has_value());
    content.libButClicked (&content.getTab (Lib_Manager_Comp::presetBankTabId), Lib_Manager_Comp::presetBankTabId);
    content.libButClicked (&content.getTab (Lib_Manager_Comp::libraryTabId), Lib_Manager_Comp::libraryTabId);
    EXPECT_EQ (model.size(), size + 1) << "the default library is read once, not again on every switch";
    EXPECT_TRUE (content.keyPlayed (MainComp::libraryListPanel, MainComp::keyEscape, false, false, false));
    EXPECT_FALSE (rig.shown());
    rig.main->keyPlayed (MainComp::frontPanel, MainComp::keyF5, false, false, false);
    EXPECT_TRUE (rig.shown());
    EXPECT_EQ (&rig.content(), &content) << "kept, not built again";
    EXPECT_EQ (content.getViewName(), "LIBRARY");

    // DONE of either view hides it
    content.libButClicked (nullptr, Lib_Manager_Comp::doneId);
    EXPECT_FALSE (rig.shown());
}

TEST (LibraryWindow, TheHeaderMovesTheWindowAndATransferKeepsItShut)
{
    WindowRig rig;
    rig.instrument->setSilent (true);
    ASSERT_TRUE (rig.engine().startTransfer (MidiCntrState::receiveOneGroup, 0));
    rig.main->showLibraryWindow();
    EXPECT_FALSE (rig.shown());
    rig.engine().cancelTransfer();
    rig.main->handleEvents ({ StateEvent::transferFinished });
    pumpPending();

    rig.main->showLibraryWindow();
    ASSERT_TRUE (rig.shown());
    auto& content = rig.content();
    auto* window = rig.main->getLibraryWindow();

    const struct { const char* what; float y; bool moves; } drags[] = {
        { "in the header", 10.0f, true },
        { "below it", 200.0f, false },
    };
    for (const auto& d : drags)
    {
        const auto before = window->getPosition();
        content.mouseDown (MouseEvents::at (content, 300.0f, d.y));
        content.mouseDrag (MouseEvents::drag (content, 300.0f, d.y, 340.0f, d.y + 25.0f));
        EXPECT_EQ (window->getPosition() != before, d.moves) << d.what;
    }
}
