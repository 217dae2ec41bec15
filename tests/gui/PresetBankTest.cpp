#include "MouseEvents.h"
#include "ProcessorRig.h"
#include "gui/Plugin_Bank.h"
#include "librarian/ProgramFile.h"
#include "model/DSI_Program.h"

#include <gtest/gtest.h>

namespace
{
/** The panel over a processor, its file dialogs answered with `answer` and its menus with `pick`. */
struct BankRig : ProcessorRig
{
    BankRig() : ProcessorRig (false)
    {
        for (int k = 0; k < 40; ++k)
            engine().getPluginBank().storeProgram (k, namedRecord ("Preset " + juce::String (k + 1), k % 5));
        bank = std::make_unique<Plugin_Bank> (*processor, [this] (const FileMan::Request&, std::function<void (const juce::File&)> done) { done (answer); });
        bank->chooseFromMenu = [this] (const juce::PopupMenu&) { return pick; };
        bank->setSize (880, 528);
    }

    juce::String presetName (int k) { return engine().getPluginBank().programName (k); }
    void click (int id) { bank->libButClicked (&bank->getButton (id), id); }

    std::unique_ptr<Plugin_Bank> bank;
    juce::File answer;
    int pick = 0;
};
}

TEST (PresetBank, SetCurrentStoresTheSoundUnderTheNameTypedAndMakesThePresetCurrent)
{
    const struct { const char* editName; const char* offered; } cases[] = {
        { "Solo Lead", "Solo Lead" },
        { "---Init Program", "Untitled" },
        { "", "Untitled" },
    };
    for (const auto& c : cases)
    {
        BankRig rig;
        rig.engine().setCurrentPluginProgram (6);
        auto sound = namedRecord (c.editName);
        sound[17] = 77;
        rig.engine().storeProgram (false, 0, 0, sound, InstrumentSync::Origin::sentByCaller);

        rig.click (Plugin_Bank::setCurrentId);
        auto* box = rig.bank->getSetCurrentBox();
        ASSERT_NE (box, nullptr);
        EXPECT_EQ (box->getText(), c.offered) << c.editName;
        EXPECT_EQ (box->getTargetText(), "7    Preset 7") << c.editName;

        // another target from the box's menu, then OK
        rig.pick = 12;
        box->mouseDown (MouseEvents::at (*box, (float) box->getBoxBounds().getCentreX(), (float) box->getBoxBounds().getCentreY()));
        box->libButClicked (&box->getOkButton(), TextSetCurCont::okId);
        EXPECT_EQ (rig.presetName (11), c.offered) << c.editName;
        EXPECT_EQ (rig.engine().getPluginBank().programRecord (11)[17], 77) << c.editName;
        EXPECT_EQ (rig.engine().getCurrentPluginProgram(), 11) << c.editName;
        EXPECT_FALSE (box->isVisible());
    }
}

TEST (PresetBank, RenameLoadSaveAndKeys)
{
    BankRig rig;
    auto& list = rig.bank->getList();

    // an empty name changes only the category
    list.selectByKey (3);
    rig.click (Plugin_Bank::renameId);
    auto* rename = rig.bank->getRenameBox();
    ASSERT_NE (rename, nullptr);
    EXPECT_EQ (rename->getPrompt(), "Rename Preset 4:");
    rename->getField().setText ({});
    rig.pick = 10; // category 9
    rename->mouseDown (MouseEvents::at (*rename, (float) rename->getCategoryBounds().getCentreX(), (float) rename->getCategoryBounds().getCentreY()));
    rename->libButClicked (&rename->getOkButton(), TextInputCont::okId);
    EXPECT_EQ (rig.presetName (3), "Preset 4");
    EXPECT_EQ (rig.engine().getPluginBank().programRecord (3)[DSI_Program::categoryOffset], 9);

    // a group file of three programs replaces presets 1 to 3 and no more
    rig.folder.write ("Three.p5_b", ProgramFile::writeGroup (0, { namedRecord ("One"), namedRecord ("Two"), namedRecord ("Three") }));
    rig.answer = rig.folder.file ("Three.p5_b");
    rig.bank->loadMenuChosen (4);
    EXPECT_EQ (rig.presetName (0), "One");
    EXPECT_EQ (rig.presetName (2), "Three");
    EXPECT_EQ (rig.presetName (3), "Preset 4");

    // a preset saved while none is current: the sound goes into preset 1, which becomes current
    rig.engine().setCurrentPluginProgram (-1);
    const auto sound = namedRecord ("Being Edited");
    rig.engine().storeProgram (false, 0, 0, sound, InstrumentSync::Origin::sentByCaller);
    rig.answer = rig.folder.file ("Saved.fxp");
    rig.bank->saveMenuChosen (1);
    EXPECT_EQ (rig.engine().getCurrentPluginProgram(), 0);
    EXPECT_EQ (rig.engine().getPluginBank().programRecord (0), sound);
    EXPECT_TRUE (rig.folder.file ("Saved.fxp").existsAsFile());
    EXPECT_TRUE (rig.bank->getStatus().startsWith ("Saved"));

    // Down from row 15 makes row 16 current; the list stays where it is
    list.selectByKey (14);
    const auto first = list.getFirstVisibleRow();
    rig.bank->moveSelection (1);
    EXPECT_EQ (list.getSelectedRow(), 15);
    EXPECT_EQ (rig.engine().getCurrentPluginProgram(), 15);
    EXPECT_EQ (list.getFirstVisibleRow(), first);
    rig.bank->moveSelection (30);
    EXPECT_EQ (list.getSelectedRow(), 15) << "past the end does nothing";
}
