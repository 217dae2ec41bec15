#include "MouseEvents.h"
#include "ProcessorRig.h"
#include "gui/BankComp.h"
#include "gui/GroupMenus.h"
#include "model/ValueFormat.h"

#include <gtest/gtest.h>

namespace
{
struct CommandLog : juce::ChangeListener
{
    void changeListenerCallback (juce::ChangeBroadcaster* source) override
    {
        commands.push_back (dynamic_cast<BankComp&> (*source).getCommand());
    }
    std::vector<int> commands;
};

void click (juce::Component& c, float x = 5.0f, float y = 5.0f)
{
    c.mouseDown (MouseEvents::at (c, x, y));
    c.mouseUp (MouseEvents::at (c, x, y));
}

class BankCompTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        bank = std::make_unique<BankComp> (*rig.processor);
        bank->layoutFor (1000, 448);
        bank->addChangeListener (&log);
    }

    void TearDown() override { bank->removeChangeListener (&log); }

    void setCategory (int group, int index, int category)
    {
        auto& b = rig.engine().getInstrumentBank (group);
        auto record = b.programRecord (index);
        record[93] = (uint8_t) category;
        b.storeProgram (index, record);
    }

    ProcessorRig rig { false };
    std::unique_ptr<BankComp> bank;
    CommandLog log;
};

/** The menu's structure, one line per entry: "id text", "---" for a separator, "> text" for a
    submenu followed by its own entries indented. */
juce::StringArray describe (const juce::PopupMenu& menu, const juce::String& indent = {})
{
    juce::StringArray lines;
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        const auto& item = it.getItem();
        if (item.isSeparator)
            lines.add (indent + "---");
        else if (item.subMenu != nullptr)
        {
            lines.add (indent + "> " + item.text);
            lines.addArray (describe (*item.subMenu, indent + "  "));
        }
        else
            lines.add (indent + juce::String (item.itemID) + " " + item.text);
    }
    return lines;
}

juce::StringArray groupItems (int firstId, const char* user, const char* factory)
{
    juce::StringArray lines;
    for (int g = 0; g < 10; ++g)
        lines.add ("  " + juce::String (firstId + g) + " " + (g < 5 ? user : factory) + juce::String (g % 5 + 1));
    return lines;
}

int idOf (const juce::PopupMenu& menu, const juce::String& text)
{
    for (juce::PopupMenu::MenuItemIterator it (menu, true); it.next();)
        if (it.getItem().text == text && it.getItem().subMenu == nullptr)
            return it.getItem().itemID;
    return 0;
}
}

TEST_F (BankCompTest, ClicksPostTheirCommandsAndSetTheListsMode)
{
    using Picker = std::function<juce::Component& (BankComp&)>;
    const struct
    {
        const char* what;
        Picker target;
        std::vector<int> commands;
        int mode, groupOrCategory;
    } cases[] = {
        { "group 7", [] (BankComp& b) -> juce::Component& { return b.getGroupButton (7); }, { 200 }, StsGrid::programMode, 7 },
        { "category 12", [] (BankComp& b) -> juce::Component& { return b.getCategoryButton (12); }, {}, StsGrid::categoryMode, 12 },
        { "FILE", [] (BankComp& b) -> juce::Component& { return b.getFileButton(); }, { 890 }, StsGrid::programMode, 3 },
        { "MIDI", [] (BankComp& b) -> juce::Component& { return b.getMidiButton(); }, { 891 }, StsGrid::programMode, 3 },
        { "PRESETS", [] (BankComp& b) -> juce::Component& { return b.getPresetsButton(); }, { 201 }, StsGrid::programMode, 3 },
        { "Use Loaded Data", [] (BankComp& b) -> juce::Component& { return b.getUseLoadedSwitch(); }, { 206 }, StsGrid::programMode, 3 },
        // the editor listens to OK itself
        { "OK", [] (BankComp& b) -> juce::Component& { return b.getOkButton(); }, {}, StsGrid::programMode, 3 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        bank->getGrid().loadProgramMode (3);
        bank->refresh();
        log.commands.clear();

        click (c.target (*bank));

        EXPECT_EQ (log.commands, c.commands);
        auto& grid = bank->getGrid();
        EXPECT_EQ (grid.getMode(), c.mode);
        EXPECT_EQ (c.mode == StsGrid::programMode ? grid.getGroup() : grid.getCategory(), c.groupOrCategory);
        // the group or category listed is the one lit
        for (int k = 0; k < BankComp::numGroups; ++k)
            EXPECT_EQ (bank->getGroupButton (k).isLatched(), c.mode == StsGrid::programMode && k == c.groupOrCategory) << k;
        EXPECT_EQ (bank->getCategoryButton (12).isLatched(), c.mode == StsGrid::categoryMode);
    }
}

TEST_F (BankCompTest, TheUnnamedCategoryButtonListsTheUserProgramsWithCategoryZero)
{
    for (int g = 0; g < 10; ++g)
        for (int i = 0; i < 40; ++i)
            setCategory (g, i, 1);
    setCategory (1, 4, 0);
    setCategory (3, 20, 0);
    setCategory (7, 2, 0); // a factory program: not listed

    auto& button = bank->getCategoryButton (0);
    EXPECT_EQ (button.getCaption(), "-----");
    click (button);

    auto& grid = bank->getGrid();
    ASSERT_EQ (grid.getNumRows(), 2);
    EXPECT_EQ (std::make_pair (grid.rowGroup (0), grid.rowProgram (0)), std::make_pair (1, 4));
    EXPECT_EQ (std::make_pair (grid.rowGroup (1), grid.rowProgram (1)), std::make_pair (3, 20));
    EXPECT_TRUE (log.commands.empty());
}

TEST (BankCompLayout, KeepsItsGridsAndLeavesNothingOverlapping)
{
    const juce::Rectangle<int> sizes[] = { { 1000, 448 }, { 1764, 444 }, { 2426, 620 }, { 820, 420 } };
    for (const auto& size : sizes)
    {
        SCOPED_TRACE (size.toString());
        const auto l = BankComp::computeLayout (size.getWidth(), size.getHeight());

        EXPECT_GT (l.grid.getHeight(), 0);
        EXPECT_EQ (l.grid.getHeight() % StsGrid::rowHeight, 0);
        for (int k = 1; k < BankComp::numGroups; ++k)
            EXPECT_EQ (l.groups[(size_t) k].getPosition(), l.groups[0].getPosition().translated (0, 36 * k));
        for (int n = 1; n < BankComp::numShownCategories; ++n)
            EXPECT_EQ (l.categories[(size_t) n].getPosition(), l.categories[0].getPosition().translated (78 * (n % 4), 36 * (n / 4)));

        EXPECT_LE (l.file.getRight(), l.midi.getX());
        EXPECT_LE (l.midi.getRight(), l.presets.getX());
        EXPECT_EQ (l.file.getY(), l.presets.getY());
        EXPECT_LE (l.presets.getBottom(), l.groups[0].getY());
        EXPECT_LT (l.groups[0].getRight(), l.grid.getX());
        EXPECT_LT (l.grid.getRight(), l.categories[0].getX());
        EXPECT_GT (l.ok.getY(), l.categories.back().getBottom());

        std::vector<juce::Rectangle<int>> all (l.groups.begin(), l.groups.end());
        all.insert (all.end(), l.categories.begin(), l.categories.end());
        for (const auto& r : { l.file, l.midi, l.presets, l.useLoaded, l.ok, l.grid, l.preview })
            if (! r.isEmpty())
                all.push_back (r);
        for (size_t i = 0; i < all.size(); ++i)
        {
            EXPECT_TRUE (size.withZeroOrigin().contains (all[i])) << all[i].toString();
            for (size_t j = i + 1; j < all.size(); ++j)
                EXPECT_FALSE (all[i].intersects (all[j])) << all[i].toString() << " / " << all[j].toString();
        }
    }

    // the default editor has room for the preview under the list, a wide one beside the categories
    EXPECT_GT (BankComp::computeLayout (1000, 448).preview.getY(), BankComp::computeLayout (1000, 448).grid.getBottom());
    EXPECT_GT (BankComp::computeLayout (1764, 444).preview.getX(), BankComp::computeLayout (1764, 444).categories[3].getRight());
}

TEST_F (BankCompTest, OpeningShowsTheCurrentProgramAndBuildsThePreviewOnce)
{
    EXPECT_EQ (bank->getPreview(), nullptr);
    EXPECT_EQ (bank->getGroupButton (3).getBounds(), BankComp::computeLayout (1000, 448).groups[3]);

    rig.engine().selectProgram (7 * 40 + 33, false, false);
    rig.engine().setLoadStoredPrograms (true);
    bank->opened();

    auto* preview = bank->getPreview();
    ASSERT_NE (preview, nullptr);
    EXPECT_FLOAT_EQ (preview->getZoom(), 0.4f);
    EXPECT_TRUE (preview->isVisible());
    EXPECT_EQ (preview->getBounds(), BankComp::computeLayout (1000, 448).preview);

    auto& grid = bank->getGrid();
    EXPECT_EQ (grid.getMode(), StsGrid::programMode);
    EXPECT_EQ (grid.getGroup(), 7);
    EXPECT_EQ (grid.getSelectedRow(), 33);
    // the selected row is in view
    EXPECT_LE (grid.getFirstVisibleRow(), 33);
    EXPECT_GT (grid.getFirstVisibleRow() + grid.getVisibleRows(), 33);
    EXPECT_TRUE (bank->getUseLoadedSwitch().isOn());

    bank->opened();
    EXPECT_EQ (bank->getPreview(), preview);
}

TEST (GroupMenusTest, BuildTheGroupManagersMenus)
{
    juce::StringArray file { "> Load Program Group To " };
    file.addArray (groupItems (100, " User ", " Factory "));
    file.add ("---");
    file.add ("> Save Program Group ");
    file.addArray (groupItems (200, " User ", " Factory "));
    EXPECT_EQ (describe (GroupMenus::makeFileMenu()), file);

    juce::StringArray transfer { "600 Receive All Groups", "> Receive Program Group " };
    transfer.addArray (groupItems (1, "User Group ", "Factory Group "));
    transfer.addArray ({ "200 Receive User Groups", "400 Receive Factory Groups", "---", "> Transmit Factory Group 3 to:" });
    transfer.addArray (groupItems (101, "User Group ", "Factory Group "));
    transfer.addArray ({ "300 Transmit User Groups", "500 Transmit Factory Groups" });
    EXPECT_EQ (describe (GroupMenus::makeTransferMenu (7)), transfer);

    EXPECT_EQ (describe (GroupMenus::makeContextMenu ("Poly Brass", "Lead 7")),
               juce::StringArray ({ "1 Copy Program: Poly Brass", "2 Paste Lead 7", "---", "3 Save Poly Brass", "4 Load Program " }));
    EXPECT_EQ (describe (GroupMenus::makeContextMenu ("Poly Brass", {}))[1], "2 Paste ");

    const auto categories = describe (GroupMenus::makeCategoryMenu());
    ASSERT_EQ (categories.size(), 26);
    EXPECT_EQ (categories[0], "1 " + ValueFormat::categoryName (0));
    EXPECT_EQ (categories[12], "13 Brass");
    EXPECT_EQ (categories[25], "26 */*");
    EXPECT_EQ (GroupMenus::categoryFor (13), 12);
    EXPECT_FALSE (GroupMenus::categoryFor (27).has_value());
}

TEST (GroupMenusTest, DecodeTransfersAndFileEntries)
{
    const auto menu = GroupMenus::makeTransferMenu (0);
    const struct { const char* text; int kind, group; } transfers[] = {
        { "Receive All Groups", MidiCntrState::receiveAllGroups, 0 },
        { "User Group 1", MidiCntrState::receiveOneGroup, 0 },
        { "Factory Group 5", MidiCntrState::receiveOneGroup, 9 },
        { "Receive User Groups", MidiCntrState::receiveUserGroups, 0 },
        { "Receive Factory Groups", MidiCntrState::receiveFactoryGroups, 5 },
        { "Transmit User Groups", MidiCntrState::transmitUserGroups, 0 },
        { "Transmit Factory Groups", MidiCntrState::transmitFactoryGroups, 5 },
    };
    for (const auto& t : transfers)
    {
        SCOPED_TRACE (t.text);
        const auto choice = GroupMenus::transferFor (idOf (menu, t.text));
        ASSERT_TRUE (choice.has_value());
        EXPECT_EQ (choice->kind, t.kind);
        EXPECT_EQ (choice->group, t.group);
    }
    // the transmit submenu repeats the names after the receive one
    const auto transmit = GroupMenus::transferFor (110);
    ASSERT_TRUE (transmit.has_value());
    EXPECT_EQ (transmit->kind, MidiCntrState::transmitOneGroup);
    EXPECT_EQ (transmit->group, 9);
    for (const int unknown : { 0, 11, 100, 111, 700 })
        EXPECT_FALSE (GroupMenus::transferFor (unknown).has_value()) << unknown;

    EXPECT_EQ (GroupMenus::fileFor (107)->group, 7);
    EXPECT_FALSE (GroupMenus::fileFor (107)->save);
    EXPECT_TRUE (GroupMenus::fileFor (200)->save);
    EXPECT_FALSE (GroupMenus::fileFor (110).has_value());
}

TEST (GroupMenusTest, OnlyAUserGroupCanBeInitialised)
{
    for (int group = 0; group < 10; ++group)
    {
        const auto lines = describe (GroupMenus::makePresetMenu (group));
        EXPECT_TRUE (lines.contains ("> Load Factory Presets from")) << group;
        EXPECT_TRUE (lines.contains ("  104 User Bank 5")) << group;
        EXPECT_EQ (lines.contains ("99 Initialize User Program Group " + juce::String (group + 1)), group < 5) << group;
        EXPECT_EQ (lines.size(), group < 5 ? 8 : 6) << group;
    }
}
