#include "MouseEvents.h"
#include "gui/StsGrid.h"
#include "support/EngineTestSupport.h"

#include <gtest/gtest.h>

namespace
{
struct GridEvent
{
    int group, program, event;
    bool operator== (const GridEvent& o) const { return group == o.group && program == o.program && event == o.event; }
};

std::ostream& operator<< (std::ostream& os, const GridEvent& e)
{
    return os << "(" << e.group << "," << e.program << "," << e.event << ")";
}

struct GridLog : GridListener
{
    void gridEvent (StsGrid*, int group, int program, int event) override { events.push_back ({ group, program, event }); }
    std::vector<GridEvent> events;
};

/** A grid over user groups whose programs are all "Keys" but three "Strings" (category 5), and a
    factory program with that category too, which category mode must leave out. Five rows show. */
class StsGridTest : public ::testing::Test
{
protected:
    static constexpr int keys = 1, strings = 5, bass = 8;

    void SetUp() override
    {
        auto& engine = rig.start();
        for (int g = 0; g < 5; ++g)
            for (int i = 0; i < 40; ++i)
                setCategory (g, i, keys);
        setCategory (0, 3, strings);
        setCategory (2, 0, strings);
        setCategory (4, 39, strings);
        setCategory (6, 1, strings);

        grid = std::make_unique<StsGrid> (engine);
        grid->setSize (400, 5 * StsGrid::rowHeight);
        grid->addListener (&log);
    }

    void setCategory (int group, int index, int category)
    {
        auto& bank = rig.engine->getInstrumentBank (group);
        auto record = bank.programRecord (index);
        record[93] = (uint8_t) category;
        bank.storeProgram (index, record);
    }

    std::vector<std::pair<int, int>> rows() const
    {
        std::vector<std::pair<int, int>> result;
        for (int r = 0; r < grid->getNumRows(); ++r)
            result.emplace_back (grid->rowGroup (r), grid->rowProgram (r));
        return result;
    }

    EngineRig rig;
    std::unique_ptr<StsGrid> grid;
    GridLog log;
};

using Rows = std::vector<std::pair<int, int>>;
using Events = std::vector<GridEvent>;
}

TEST_F (StsGridTest, CategoryModeListsTheUserProgramsOfThatCategoryInGroupOrder)
{
    grid->loadCategoryMode (strings);
    EXPECT_EQ (rows(), (Rows { { 0, 3 }, { 2, 0 }, { 4, 39 } }));

    grid->selectRow (1);
    EXPECT_EQ (log.events, (Events { { 2, 0, 91 } }));

    // A reload after the groups changed starts over: no selection, at the top.
    setCategory (1, 7, strings);
    grid->reload();
    EXPECT_EQ (rows(), (Rows { { 0, 3 }, { 1, 7 }, { 2, 0 }, { 4, 39 } }));
    EXPECT_EQ (grid->getSelectedRow(), -1);

    grid->loadProgramMode (6);
    ASSERT_EQ (grid->getNumRows(), 40);
    EXPECT_EQ (rows().front(), std::make_pair (6, 0));
    EXPECT_EQ (rows().back(), std::make_pair (6, 39));
}

TEST_F (StsGridTest, ACategoryNoUserProgramHasShowsNoRowsAndIgnoresSelections)
{
    grid->loadCategoryMode (bass);
    EXPECT_EQ (grid->getNumRows(), 0);

    grid->selectRow (0);
    grid->mouseDown (MouseEvents::at (*grid, 100, 10));
    grid->mouseDown (MouseEvents::at (*grid, 200, 10, MouseEvents::right));
    EXPECT_TRUE (log.events.empty());
    EXPECT_EQ (grid->getSelectedRow(), -1);

    // Paints its empty list without reaching for a row.
    juce::Image image (juce::Image::ARGB, grid->getWidth(), grid->getHeight(), true);
    juce::Graphics g (image);
    grid->paint (g);
}

TEST_F (StsGridTest, ClicksSelectTheRowUnderThePointerAndRightClicksAskForTheColumnsMenu)
{
    grid->setColumnWidths ({ 50, 140, 100, 0 });
    grid->loadProgramMode (2);
    grid->setFirstVisibleRow (10);

    const struct { float x, y; juce::ModifierKeys mods; Events expected; } cases[] = {
        { 100, 50, MouseEvents::left, { { 2, 11, 91 } } },
        { 100, 50, MouseEvents::right, { { 2, 11, 91 }, { 2, 11, 90 } } },          // the name
        { 30, 5, MouseEvents::right, { { 2, 10, 91 }, { 2, 10, 90 } } },            // the location
        { 190, 95, MouseEvents::right, { { 2, 12, 91 }, { 2, 12, 88 } } },          // the category, from its first pixel
        { 289, 95, MouseEvents::right, { { 2, 12, 91 }, { 2, 12, 88 } } },
        { 290, 95, MouseEvents::right, { { 2, 12, 91 }, { 2, 12, 90 } } },          // past the last column with a width
        { 100, 2000, MouseEvents::left, { { 2, 39, 91 } } },                       // past the list: the last row
        { 0, 50, MouseEvents::left, {} },
        { 382, 50, MouseEvents::right, {} },                                       // the scrollbar
    };

    for (const auto& c : cases)
    {
        log.events.clear();
        grid->mouseDown (MouseEvents::at (*grid, c.x, c.y, c.mods));
        grid->mouseUp (MouseEvents::at (*grid, c.x, c.y, c.mods));
        EXPECT_EQ (log.events, c.expected) << c.x << "," << c.y;
    }

    // Neither a click nor the owner's selection scrolls the list.
    grid->setFirstVisibleRow (10);
    grid->selectRow (2);
    EXPECT_EQ (grid->getFirstVisibleRow(), 10);
    EXPECT_EQ (grid->getSelectedProgram(), 2);
}

TEST_F (StsGridTest, ScrollingStaysWithinTheListAndTheThumbFollowsThePointer)
{
    grid->loadProgramMode (0);
    const auto lastFirst = 40 - 5;

    grid->mouseWheelMove (MouseEvents::at (*grid, 100, 50), MouseEvents::wheel (1));
    EXPECT_EQ (grid->getFirstVisibleRow(), 0);
    for (int i = 0; i < 3; ++i)
        grid->mouseWheelMove (MouseEvents::at (*grid, 100, 50), MouseEvents::wheel (-1));
    EXPECT_EQ (grid->getFirstVisibleRow(), 3);

    // Dragging a selection past an edge scrolls a row per drag event.
    grid->mouseDown (MouseEvents::at (*grid, 100, 50));
    grid->mouseDrag (MouseEvents::drag (*grid, 100, 50, 100, 240));
    grid->mouseDrag (MouseEvents::drag (*grid, 100, 50, 100, 260));
    EXPECT_EQ (grid->getFirstVisibleRow(), 5);
    grid->mouseDrag (MouseEvents::drag (*grid, 100, 50, 100, -5));
    EXPECT_EQ (grid->getFirstVisibleRow(), 4);
    grid->mouseDrag (MouseEvents::drag (*grid, 100, 50, 100, 100)); // inside: no scrolling
    EXPECT_EQ (grid->getFirstVisibleRow(), 4);
    grid->mouseUp (MouseEvents::at (*grid, 100, 100));

    // Five rows of forty would give a thumb of 28 pixels.
    const auto thumb = grid->getThumbBounds();
    EXPECT_EQ (thumb.getHeight(), StsGrid::minimumThumb);
    const auto half = (float) thumb.getHeight() / 2.0f;
    const auto x = (float) grid->getWidth() - 9.0f;

    // The pointer holds the thumb by its middle over the 199 pixels it can travel.
    const struct { float y; int first; } drags[] = {
        { 15, 0 }, { 215, lastFirst }, { 115, 18 }, { -100, 0 }, { 1000, lastFirst },
    };
    log.events.clear();
    grid->mouseDown (MouseEvents::at (*grid, x, half));
    for (const auto& d : drags)
    {
        grid->mouseDrag (MouseEvents::drag (*grid, x, half, x, d.y));
        EXPECT_EQ (grid->getFirstVisibleRow(), d.first) << d.y;
    }
    grid->mouseUp (MouseEvents::at (*grid, x, 1000.0f));
    EXPECT_TRUE (log.events.empty()) << "the scrollbar selects nothing";
    EXPECT_EQ (grid->getThumbBounds().getBottom(), grid->getHeight());

    grid->setFirstVisibleRow (100);
    EXPECT_EQ (grid->getFirstVisibleRow(), lastFirst);

    // A list that fits has nothing to scroll.
    grid->loadCategoryMode (strings);
    grid->mouseWheelMove (MouseEvents::at (*grid, 100, 50), MouseEvents::wheel (-1));
    EXPECT_EQ (grid->getFirstVisibleRow(), 0);
    EXPECT_TRUE (grid->getThumbBounds().isEmpty());
}
