#include "EditorRig.h"
#include "MouseEvents.h"
#include "gui/ContainerClass.h"

#include <gtest/gtest.h>

namespace
{
const auto alt = juce::ModifierKeys::altModifier;

/** An editor with the finder open over it, as the editor opens it, and programs 125 and 126
    named so that nothing else begins like them. */
struct FinderRig : EditorRig, juce::ChangeListener
{
    FinderRig()
    {
        engine().getInstrumentBank (3).setProgramName (5, "Qzx Lead");
        engine().getInstrumentBank (3).setProgramName (6, "qzx Pad");
        finder = std::make_unique<ContainerClass> (*processor);
        finder->setBounds (main->getLocalBounds());
        main->addAndMakeVisible (*finder);
        finder->setAlwaysOnTop (true);
        finder->addChangeListener (this);
    }

    ~FinderRig() override { finder.reset(); }

    void changeListenerCallback (juce::ChangeBroadcaster*) override { ++closes; }

    bool press (const juce::KeyPress& key) { return finder->keyPressed (key); }

    void type (const juce::String& text)
    {
        for (auto c : text)
            press (juce::KeyPress ((int) c, alt, c));
    }

    /** Bank selects and program changes the instrument heard, in order. */
    std::vector<Bytes> selections()
    {
        auto all = heard (*this);
        all.erase (std::remove_if (all.begin(), all.end(), [] (const Bytes& m)
        {
            return ! ((m.size() == 3 && m[0] == 0xB0 && m[1] == 32) || (m.size() == 2 && m[0] == 0xC0));
        }), all.end());
        return all;
    }

    std::unique_ptr<ContainerClass> finder;
    int closes = 0;
};
}

TEST (Finder, RightSelectsAndStaysOpenReturnSelectsAndCloses)
{
    FinderRig rig;
    rig.type ("qzx");
    EXPECT_EQ (rig.finder->getSearchField().getText(), "Qzx");
    EXPECT_EQ (rig.finder->getNumberField().getText(), "125");

    ASSERT_TRUE (rig.press (juce::KeyPress (juce::KeyPress::downKey)));
    EXPECT_EQ (rig.finder->getSearchField().getText(), "qzx Pad");
    EXPECT_EQ (rig.finder->getNumberField().getText(), "126");

    EXPECT_TRUE (rig.press (juce::KeyPress (juce::KeyPress::rightKey)));
    EXPECT_TRUE (rig.press (juce::KeyPress (juce::KeyPress::rightKey)));
    const std::vector<Bytes> twice { { 0xB0, 32, 3 }, { 0xC0, 6 }, { 0xB0, 32, 3 }, { 0xC0, 6 } };
    EXPECT_EQ (rig.selections(), twice);
    EXPECT_EQ (rig.engine().loadedProgramIndex(), 126);
    pumpPending();
    EXPECT_EQ (rig.closes, 0);

    rig.instrument->clearLog();
    rig.press (juce::KeyPress (juce::KeyPress::upKey));
    EXPECT_TRUE (rig.press (juce::KeyPress (juce::KeyPress::returnKey)));
    EXPECT_EQ (rig.selections(), (std::vector<Bytes> { { 0xB0, 32, 3 }, { 0xC0, 5 } }));
    EXPECT_EQ (rig.engine().loadedProgramIndex(), 125);
    EXPECT_TRUE (pumpUntil ([&] { return rig.closes == 1; }));
}

TEST (Finder, EscapeAndAClickCloseWithoutSelecting)
{
    for (const auto byClick : { false, true })
    {
        FinderRig rig;
        const auto loaded = rig.engine().loadedProgramIndex();
        rig.type ("qzx");
        if (byClick)
            rig.finder->mouseDown (MouseEvents::at (*rig.finder, 500.0f, 300.0f));
        else
            EXPECT_TRUE (rig.press (juce::KeyPress (juce::KeyPress::escapeKey)));

        EXPECT_TRUE (pumpUntil ([&] { return rig.closes == 1; }));
        EXPECT_TRUE (rig.selections().empty());
        EXPECT_EQ (rig.engine().loadedProgramIndex(), loaded);
    }
}

TEST (Finder, KeysWithoutAltTypeNothing)
{
    FinderRig rig;
    const struct { juce::KeyPress key; bool consumed; } cases[] = {
        { juce::KeyPress ('q', {}, 'q'), false },
        { juce::KeyPress ('Q', juce::ModifierKeys::shiftModifier, 'Q'), false },
        { juce::KeyPress ('q', juce::ModifierKeys::ctrlModifier, 0), false },
        { juce::KeyPress (juce::KeyPress::insertKey), false },
        { juce::KeyPress (juce::KeyPress::F5Key), false },
        { juce::KeyPress (juce::KeyPress::tabKey), true },
        { juce::KeyPress (juce::KeyPress::leftKey), true },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ (rig.press (c.key), c.consumed) << c.key.getTextDescription();
        EXPECT_EQ (rig.finder->getFinder().getSearchText(), "") << c.key.getTextDescription();
    }
    EXPECT_TRUE (rig.selections().empty());

    // Alt with Shift types the capital; Backspace takes it back
    EXPECT_TRUE (rig.press (juce::KeyPress ('Q', alt | juce::ModifierKeys::shiftModifier, 'Q')));
    EXPECT_EQ (rig.finder->getFinder().getMatches().size(), 2u);
    EXPECT_TRUE (rig.press (juce::KeyPress (juce::KeyPress::backspaceKey)));
    EXPECT_TRUE (rig.finder->getFinder().getMatches().empty());
}

TEST (Finder, ShiftPlaysNotesWhileComputerKeysPlay)
{
    FinderRig rig;
    rig.engine().getSettings().setByte (SettingsBlock::keyPlayOffset, 1);
    const auto base = rig.engine().getSettings().getByte (SettingsBlock::keyBaseNoteOffset);

    EXPECT_TRUE (rig.press (juce::KeyPress ('Z', alt | juce::ModifierKeys::shiftModifier, 'Z')));
    EXPECT_TRUE (rig.engine().isKeyNoteOn (base));
    EXPECT_EQ (rig.finder->getFinder().getSearchText(), "");

    // closed while the key is down, the note is not left sounding
    rig.finder.reset();
    EXPECT_FALSE (rig.engine().isKeyNoteOn (base));
}

TEST (Finder, TheEditorOpensItFromEveryWayInAndDeletesItOnItsClose)
{
    EditorRig rig;
    auto& main = *rig.main;
    const struct { const char* what; std::function<void()> open; } ways[] = {
        { "Ctrl+F", [&] { main.keyPlayed (MainComp::frontPanel, 'f', false, false, true); } },
        { "Ctrl+N", [&] { main.keyPlayed (MainComp::frontPanel, 'N', false, false, true); } },
        { "the EDIT menu", [&] { main.editMenuChosen (MainComp::findProgramId); } },
        { "a click on the program display", [&] { main.handleEvents ({ StateEvent::openProgramFinder }); } },
    };

    for (const auto& w : ways)
    {
        main.toggleGroupManager();
        w.open();
        auto* finder = main.getProgramFinder();
        ASSERT_NE (finder, nullptr) << w.what;
        EXPECT_FALSE (main.isGroupManagerOpen()) << w.what << " closes the other panels";
        EXPECT_FALSE (main.isAboutOpen()) << w.what;
        w.open();
        EXPECT_EQ (main.getProgramFinder(), finder) << w.what << ": opened once";

        finder->keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
        ASSERT_TRUE (pumpUntil ([&] { return main.getProgramFinder() == nullptr; })) << w.what;
    }
}
