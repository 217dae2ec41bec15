#include "MouseEvents.h"
#include "gui/Plugin_File.h"
#include "gui/StsFile.h"
#include "gui/TextInputCont.h"
#include "model/ValueFormat.h"
#include "support/EngineTestSupport.h"

#include <gtest/gtest.h>

namespace
{
using Events = std::vector<std::pair<int, int>>;

struct ListLog : StsFileListener, PlugFileListener
{
    void stsFileEvent (int code, int value) override  { events.emplace_back (code, value); }
    void stsFileDoubleClicked() override               { events.emplace_back (-1, 0); }
    void plugFileEvent (int code, int value) override { events.emplace_back (code, value); }
    void plugFileDoubleClicked() override              { events.emplace_back (-1, 0); }
    Events events;
};

/** 15 rows of 34 pixels show, rows 302 wide and the scroll bar right of them, as the panels set. */
void placeLikeThePanels (LibListView& list)
{
    list.setRowHeight (34);
    list.setRowAreaWidth (302);
    list.setColumnWidths (50, 180);
    list.setSize (334, 15 * 34);
}

juce::Array<int> recordsFrom (int first, int count)
{
    juce::Array<int> rows;
    for (int i = 0; i < count; ++i)
        rows.add (first + i);
    return rows;
}

constexpr float nameX = 100, barX = 315;
}

TEST (LibraryListTest, APressBelowTheLastRowSelectsTheLastRow)
{
    StsFile list;
    ListLog log;
    placeLikeThePanels (list);
    list.rebuild (recordsFrom (10, 5));
    list.addListener (&log);

    list.mouseDown (MouseEvents::at (list, nameX, 400));

    EXPECT_EQ (list.getSelectedRow(), 4);
    EXPECT_EQ (list.getSelectedRecord(), 14);
    EXPECT_EQ (log.events, (Events { { StsFile::selectEvent, 14 } }));
}

TEST (LibraryListTest, ScrollingNeverShowsPastTheLastRow)
{
    StsFile list;
    placeLikeThePanels (list);
    list.rebuild (recordsFrom (0, 40));
    const auto bottom = (float) list.getHeight() - 1;

    const struct { const char* how; std::function<void()> scroll; int first; } cases[] = {
        { "wheel down", [&] { for (int i = 0; i < 30; ++i) list.mouseWheelMove (MouseEvents::at (list, nameX, 10), MouseEvents::wheel (-1)); }, 25 },
        { "wheel up", [&] { for (int i = 0; i < 30; ++i) list.mouseWheelMove (MouseEvents::at (list, nameX, 10), MouseEvents::wheel (1)); }, 0 },
        { "thumb dragged past the end", [&]
          {
              const auto thumb = list.getThumbBounds();
              list.mouseDown (MouseEvents::at (list, barX, (float) thumb.getCentreY()));
              list.mouseDrag (MouseEvents::drag (list, barX, (float) thumb.getCentreY(), barX, 2000));
              list.mouseUp (MouseEvents::at (list, barX, 2000));
          }, 25 },
        { "thumb dragged to the middle", [&]
          {
              const auto thumb = list.getThumbBounds();
              const auto middle = (float) (list.getHeight() - LibListView::thumbHeight) / 2;
              list.mouseDown (MouseEvents::at (list, barX, (float) thumb.getY()));
              list.mouseDrag (MouseEvents::drag (list, barX, (float) thumb.getY(), barX, middle));
              list.mouseUp (MouseEvents::at (list, barX, middle));
          }, 13 },
        { "auto-repeat below the thumb", [&]
          {
              list.mouseDown (MouseEvents::at (list, barX, bottom));
              for (int i = 0; i < 40; ++i)
                  list.timerCallback();
              list.mouseUp (MouseEvents::at (list, barX, bottom));
          }, 25 },
        { "dragging a row above the top", [&]
          {
              list.mouseDown (MouseEvents::at (list, nameX, 10));
              for (int i = 0; i < 40; ++i)
                  list.mouseDrag (MouseEvents::drag (list, nameX, 10, nameX, -5));
              list.mouseUp (MouseEvents::at (list, nameX, -5));
          }, 0 },
    };

    for (const auto& c : cases)
    {
        list.setFirstVisibleRow (c.first == 0 ? 25 : 0);
        c.scroll();
        EXPECT_EQ (list.getFirstVisibleRow(), c.first) << c.how;
    }
}

TEST (LibraryListTest, HoldingBelowTheThumbScrollsOneRowPerTickUntilRelease)
{
    StsFile list;
    placeLikeThePanels (list);
    list.rebuild (recordsFrom (0, 40));
    const auto below = (float) list.getHeight() - 4;

    list.mouseDown (MouseEvents::at (list, barX, below));
    EXPECT_EQ (list.getFirstVisibleRow(), 1);
    EXPECT_TRUE (list.isTimerRunning());
    EXPECT_EQ (list.getTimerInterval(), LibListView::repeatMs);

    for (int tick = 2; tick <= 5; ++tick)
    {
        list.timerCallback();
        EXPECT_EQ (list.getFirstVisibleRow(), tick);
    }

    list.mouseUp (MouseEvents::at (list, barX, below));
    EXPECT_FALSE (list.isTimerRunning());
    list.timerCallback();
    EXPECT_EQ (list.getFirstVisibleRow(), 5);

    // above the thumb the other way
    list.mouseDown (MouseEvents::at (list, barX, 2));
    list.timerCallback();
    EXPECT_EQ (list.getFirstVisibleRow(), 3);
    list.mouseUp (MouseEvents::at (list, barX, 2));
}

TEST (LibraryListTest, SelectByKeyScrollsTheRowIntoView)
{
    StsFile list;
    ListLog log;
    placeLikeThePanels (list);
    list.rebuild (recordsFrom (100, 40));
    list.addListener (&log);

    const struct { int firstBefore, key, selected, first; Events events; } cases[] = {
        { 0, 14, 14, 0, { { 201, 114 } } },  // the last visible row: no scrolling
        { 0, 15, 15, 1, { { 201, 115 } } },  // one below: down one row
        { 5, 3, 3, 3, { { 201, 103 } } },    // above: up to it
        { 5, 40, 3, 5, {} },                 // outside the list: nothing
        { 5, -1, 3, 5, {} },
    };

    for (const auto& c : cases)
    {
        log.events.clear();
        list.setFirstVisibleRow (c.firstBefore);
        list.selectByKey (c.key);
        EXPECT_EQ (list.getSelectedRow(), c.selected) << c.key;
        EXPECT_EQ (list.getFirstVisibleRow(), c.first) << c.key;
        EXPECT_EQ (log.events, c.events) << c.key;
    }
}

TEST (LibraryListTest, PresetListReportsSelectionsAndAsksForTheRightClickMenus)
{
    EngineRig rig;
    auto& engine = rig.start();
    Plugin_File list (engine);
    ListLog log;
    placeLikeThePanels (list);
    list.addListener (&log);
    list.setFirstVisibleRow (10);

    const struct { float x; juce::ModifierKeys mods; Events events; } cases[] = {
        { nameX, MouseEvents::left, { { 65, 0 } } },
        { nameX, MouseEvents::right, { { 65, 0 }, { 90, 0 } } },
        { 20, MouseEvents::right, { { 65, 0 }, { 90, 0 } } },   // the number
        { 250, MouseEvents::right, { { 65, 0 }, { 88, 0 } } },  // the category
        { 290, MouseEvents::right, {} },                        // the scroll bar's zone: it scrolls, selects nothing
    };

    for (const auto& c : cases)
    {
        log.events.clear();
        list.mouseDown (MouseEvents::at (list, c.x, 40, c.mods));
        list.mouseUp (MouseEvents::at (list, c.x, 40, c.mods));
        EXPECT_EQ (log.events, c.events) << c.x;
    }
    EXPECT_EQ (list.getSelectedRecord(), 11);

    // following the current preset tells nobody
    log.events.clear();
    list.selectQuietly (3);
    EXPECT_EQ (list.getSelectedRow(), 3);
    EXPECT_TRUE (log.events.empty());
}

namespace
{
struct PromptLog : textmsgListener
{
    void textOk (int code, int value) override     { calls.push_back ({ 'o', code, value }); }
    void textNo (int code, int value) override     { calls.push_back ({ 'n', code, value }); }
    void textCancel (int code, int value) override { calls.push_back ({ 'c', code, value }); }

    struct Call
    {
        char button;
        int code, value;
        bool operator== (const Call& o) const { return button == o.button && code == o.code && value == o.value; }
    };
    std::vector<Call> calls;
};

std::vector<juce::Point<int>> shownButtons (TextInputCont& prompt)
{
    std::vector<juce::Point<int>> shown;
    for (auto* b : { &prompt.getOkButton(), &prompt.getNoButton(), &prompt.getCancelButton() })
        shown.push_back (b->isVisible() ? b->getPosition() : juce::Point<int> { -1, -1 });
    return shown;
}
}

TEST (TextPromptTest, LaysOutTheButtonsWhoseCaptionsAreGiven)
{
    TextInputCont prompt;
    prompt.setSize (500, 600);
    using P = std::vector<juce::Point<int>>;
    const juce::Point<int> hidden { -1, -1 };

    const struct { const char *cancel, *ok, *no; int category; P okNoCancel; } cases[] = {
        { "CANCEL", "OK", "", -1, { { 140, 116 }, hidden, { 260, 116 } } },
        { "CANCEL", "OK", "", 4, { { 140, 136 }, hidden, { 260, 136 } } },
        { "CANCEL", "YES", "NO", -1, { { 80, 116 }, { 200, 116 }, { 320, 116 } } },
        { "", "", "NO", -1, { hidden, { 200, 116 }, hidden } },
    };

    for (const auto& c : cases)
    {
        prompt.open ("Save?", "text", c.cancel, c.ok, c.no, c.category, 768, 6);
        EXPECT_EQ (shownButtons (prompt), c.okNoCancel) << c.cancel << "/" << c.ok << "/" << c.no << "/" << c.category;
        EXPECT_EQ (prompt.isCategoryShown(), c.category >= 0);
    }
    EXPECT_EQ (prompt.getOkButton().getCaption(), "");
    EXPECT_EQ (prompt.getField().getBounds(), juce::Rectangle<int> (110, 64, 280, 24));
}

TEST (TextPromptTest, TheCategoryMenuSetsTheValueAndTheButtonsHandBackTheRequest)
{
    TextInputCont prompt;
    PromptLog log;
    prompt.setSize (500, 600);
    prompt.addListener (&log);
    prompt.open ("Rename Pad:", "Pad", "CANCEL", "OK", "NO", 3, 1280, 17);
    EXPECT_EQ (prompt.getCategoryText(), ValueFormat::categoryName (3).toUpperCase());

    int items = 0;
    prompt.chooseFromMenu = [&] (const juce::PopupMenu& menu)
    {
        for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
            ++items;
        return 8 + 1;
    };
    const auto box = prompt.getCategoryBounds().getCentre().toFloat();
    prompt.mouseDown (MouseEvents::at (prompt, box.x, box.y));
    EXPECT_EQ (items, 26);
    EXPECT_EQ (prompt.getCategory(), 8);
    EXPECT_EQ (prompt.getCategoryText(), ValueFormat::categoryName (8).toUpperCase());

    for (auto* b : { &prompt.getOkButton(), &prompt.getNoButton(), &prompt.getCancelButton() })
        b->mouseDown (MouseEvents::at (*b, 10, 10));
    using Call = PromptLog::Call;
    EXPECT_EQ (log.calls, (std::vector<Call> { { 'o', 1280, 17 }, { 'n', 1280, 17 }, { 'c', 1280, 17 } }));
}
