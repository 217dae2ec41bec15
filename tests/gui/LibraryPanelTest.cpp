#include "MouseEvents.h"
#include "ProcessorRig.h"
#include "gui/LibClass.h"
#include "librarian/LibraryFile.h"
#include "midi/StateEvent.h"
#include "model/DSI_Program.h"

#include <gtest/gtest.h>

namespace
{
using Record = LibraryModel::Record;

const Record bass = namedRecord ("Bass", 8), lead = namedRecord ("Lead", 6), pad = namedRecord ("Pad", 3);

/** The panel over a processor whose user group 1 repeats `group`, loaded into the library; file
    dialogs answered with `answer`, menus with `pick`. */
struct LibraryRig : ProcessorRig
{
    explicit LibraryRig (const std::vector<Record>& group = { bass, lead, pad }) : ProcessorRig (false)
    {
        // the group repeats its programs: the library keeps one of each
        for (int k = 0; k < 40 && ! group.empty(); ++k)
            engine().getInstrumentBank (0).storeProgram (k, group[(size_t) k % group.size()]);
        open();
        if (! group.empty())
            panel->loadMenuChosen (LibClass::fromGroupBase);
    }

    void open()
    {
        panel = std::make_unique<LibClass> (*processor, [this] (const FileMan::Request&, std::function<void (const juce::File&)> done)
        {
            ++dialogs;
            done (answer);
        });
        panel->chooseFromMenu = [this] (const juce::PopupMenu&) { return pick; };
        panel->setSize (1000, 528);
        panel->loadDefaultLibrary();
    }

    void click (int id) { panel->libButClicked (&panel->getButton (id), id); }

    /** Presses the prompt's button of this caption. */
    void answerPrompt (const juce::String& caption)
    {
        auto* prompt = panel->getPrompt();
        ASSERT_NE (prompt, nullptr);
        ASSERT_TRUE (prompt->isVisible()) << caption;
        for (auto* b : { &prompt->getOkButton(), &prompt->getNoButton(), &prompt->getCancelButton() })
            if (b->isVisible() && b->getCaption() == caption)
                return prompt->libButClicked (b, b->getId());
        FAIL() << "no button " << caption << " on " << prompt->getPrompt();
    }

    void chooseCell (int cell)
    {
        auto& button = panel->getChooser().getCell (cell);
        button.mouseDown (MouseEvents::at (button, 5, 5));
        button.mouseUp (MouseEvents::at (button, 5, 5));
    }

    juce::String shownButtons()
    {
        juce::StringArray shown;
        for (auto id : { 1319, 1209, 1205, 1206, 1203, 1204, 1207, 1201 })
            if (panel->getButton (id).isVisible())
                shown.add (panel->getButton (id).getCaption());
        return shown.joinIntoString (",");
    }

    int size() { return panel->getModel().size(); }

    std::unique_ptr<LibClass> panel;
    juce::File answer;
    int pick = 0, dialogs = 0;
};
}

TEST (LibraryPanel, ButtonsCountsAndFilterLabelFollowEveryChange)
{
    LibraryRig rig;
    auto& chooser = rig.panel->getChooser();
    EXPECT_EQ (chooser.getCell (0).getCaption(), "--f--");
    EXPECT_FALSE (chooser.getCell (20).isVisible());
    EXPECT_EQ (chooser.getCell (LibraryModel::allCell).getCaption(), "ALL");

    const struct
    {
        const char* what;
        std::function<void (LibraryRig&)> act;
        const char* buttons;
        const char* filterLabel;
        const char* countOfCell8;
        const char* size;
    } steps[] = {
        { "loaded", [] (LibraryRig&) {}, "LOAD,SAVE,CLEAR ALL,ADD CURRENT,DONE", "", "1", "Size: 3" },
        { "a row selected", [] (LibraryRig& r) { r.panel->getList().selectByKey (1); },
          "LOAD,SAVE,CLEAR ALL,RENAME,DELETE,ADD CURRENT,DONE", "", "1", "Size: 3" },
        { "a category without records", [] (LibraryRig& r) { r.chooseCell (12); },
          "LOAD,ADD CURRENT,DONE", "Brass", "1", "Size: 3" },
        { "all again", [] (LibraryRig& r) { r.chooseCell (LibraryModel::allCell); },
          "LOAD,SAVE,CLEAR ALL,ADD CURRENT,DONE", "", "1", "Size: 3" },
        { "bass deleted", [] (LibraryRig& r) { r.panel->getList().selectByKey (0); r.click (LibClass::deleteId); r.answerPrompt ("OK"); },
          "LOAD,SAVE,CLEAR ALL,ADD CURRENT,DONE", "", "", "Size: 2" },
    };

    for (const auto& s : steps)
    {
        s.act (rig);
        EXPECT_EQ (rig.shownButtons(), s.buttons) << s.what;
        EXPECT_EQ (rig.panel->getFilterLabel(), s.filterLabel) << s.what;
        EXPECT_EQ (chooser.getCount (8).getText(), s.countOfCell8) << s.what;
        EXPECT_EQ (chooser.getCount (LibraryModel::allCell).getText(), s.size) << s.what;
    }

    auto& load = rig.panel->getButton (LibClass::loadId);
    rig.panel->libButEntered (&load, LibClass::loadId);
    EXPECT_EQ (rig.panel->getStatus(), "Load Library or Bank Files");
    rig.panel->libButLeft (&load, LibClass::loadId);
    EXPECT_EQ (rig.panel->getStatus(), "");
}

TEST (LibraryPanel, ALibraryFileJoinsTheLibraryAsTheAnswersSay)
{
    const struct
    {
        const char* what;
        std::vector<const char*> answers;
        bool saveConfirmed;
        int size;
        bool saved;
    } cases[] = {
        { "append", { "YES" }, false, 5, false },
        { "replace without saving", { "NO", "NO" }, false, 2, false },
        { "save, then replace", { "NO", "YES" }, true, 2, true },
        { "a cancelled save still replaces", { "NO", "YES" }, false, 2, false },
        { "cancel", { "CANCEL" }, false, 3, false },
    };

    for (const auto& c : cases)
    {
        LibraryRig rig;
        const auto bytes = LibraryFile::write ({ bass, namedRecord ("Brass", 5) });
        rig.folder.file ("Two.p5_l").replaceWithData (bytes.getData(), bytes.getSize());
        rig.answer = rig.folder.file ("Two.p5_l");
        rig.pick = LibClass::fromLibraryFile;
        rig.click (LibClass::loadId);

        ASSERT_NE (rig.panel->getPrompt(), nullptr) << c.what;
        EXPECT_EQ (rig.panel->getPrompt()->getPrompt(), "Append Programs?") << c.what;
        for (const auto* a : c.answers)
        {
            rig.answer = c.saveConfirmed ? rig.folder.file ("Kept.p5_l") : juce::File();
            rig.answerPrompt (a);
        }
        EXPECT_FALSE (rig.panel->getPrompt()->isVisible()) << c.what;
        EXPECT_EQ (rig.size(), c.size) << c.what;
        EXPECT_EQ (rig.panel->getList().getNumRows(), c.size) << c.what;
        EXPECT_EQ (rig.folder.file ("Kept.p5_l").getSize(), c.saved ? 13 + 3 * 128 + 13 : 0) << c.what;
    }
}

TEST (LibraryPanel, SelectingARowMakesItTheCurrentProgram)
{
    LibraryRig rig;
    rig.engine().setCurrentPluginProgram (4);
    rig.events();

    rig.panel->getList().selectByKey (1);
    EXPECT_EQ (rig.engine().getEditBuffer(), lead);
    EXPECT_EQ (rig.engine().getPluginBank().programRecord (4), lead) << "the current preset takes it too";
    const auto events = rig.events();
    EXPECT_NE (std::find (events.begin(), events.end(), StateEvent::editBufferChanged), events.end());

    rig.panel->moveSelection (1);
    EXPECT_EQ (rig.engine().getEditBuffer(), pad);
    rig.panel->moveSelection (1);
    EXPECT_EQ (rig.panel->getList().getSelectedRow(), 2) << "past the end nothing moves";
    EXPECT_EQ (rig.engine().getEditBuffer(), pad);
}

TEST (LibraryPanel, AddCurrentNamesTheProgramOrSaysItIsThere)
{
    LibraryRig rig;
    rig.engine().replaceEditBuffer (namedRecord ("Strings", 2), InstrumentSync::Origin::sentByCaller);

    rig.click (LibClass::addCurrentId);
    auto* prompt = rig.panel->getPrompt();
    ASSERT_NE (prompt, nullptr);
    EXPECT_EQ (prompt->getPrompt(), "Program name:");
    EXPECT_EQ (prompt->getText(), "Strings");
    EXPECT_EQ (prompt->getCategory(), 2);
    prompt->getField().setText ("Warm Strings");
    rig.answerPrompt ("OK");

    EXPECT_EQ (rig.size(), 4);
    EXPECT_EQ (rig.panel->getList().getSelectedRow(), 3) << "the new program is selected and current";
    EXPECT_EQ (LibraryModel::quotedName (rig.engine().getEditBuffer()), "Warm Strings");

    rig.click (LibClass::addCurrentId);
    EXPECT_EQ (prompt->getPrompt(), "Warm Strings Program already exists in the library.");
    EXPECT_FALSE (prompt->getField().isVisible());
    rig.answerPrompt ("OK");
    EXPECT_FALSE (prompt->isVisible());
    EXPECT_EQ (rig.size(), 4);
}

TEST (LibraryPanel, ClearAllOffersToSaveFirst)
{
    const struct
    {
        const char* what;
        const char* answer;
        bool saveConfirmed;
        int size;
    } cases[] = {
        { "save, then clear", "YES", true, 0 },
        { "a cancelled save still clears", "YES", false, 0 },
        { "clear without saving", "NO", false, 0 },
        { "cancel", "CANCEL", false, 3 },
    };

    for (const auto& c : cases)
    {
        LibraryRig rig;
        rig.answer = c.saveConfirmed ? rig.folder.file ("Kept.p5_l") : juce::File();
        rig.click (LibClass::clearAllId);
        EXPECT_EQ (rig.panel->getPrompt()->getPrompt(), "Save Current Library?") << c.what;
        rig.answerPrompt (c.answer);
        EXPECT_EQ (rig.size(), c.size) << c.what;
        EXPECT_EQ (rig.folder.file ("Kept.p5_l").existsAsFile(), c.saveConfirmed) << c.what;
        EXPECT_EQ (rig.shownButtons().contains ("CLEAR ALL"), c.size > 0) << c.what;
    }

    // an empty library clears without a question
    LibraryRig empty (std::vector<Record> {});
    empty.click (LibClass::clearAllId);
    EXPECT_EQ (empty.panel->getPrompt(), nullptr);
}

TEST (LibraryPanel, TheLibraryComesBackWhenThePanelOpensAgain)
{
    LibraryRig rig;
    rig.panel.reset();
    EXPECT_TRUE (rig.folder.folder.getChildFile ("default_Lib..p5_l").existsAsFile());

    rig.open();
    EXPECT_EQ (rig.size(), 3);
    EXPECT_EQ (rig.panel->getList().getNumRows(), 3);
}
