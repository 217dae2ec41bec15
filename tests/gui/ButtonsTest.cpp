#include "MouseEvents.h"
#include "gui/Check_But.h"
#include "gui/LCD_Comp.h"
#include "gui/StBut.h"
#include "gui/StsBut.h"
#include "gui/StsLabel.h"
#include "gui/SwitchLED.h"
#include "gui/WinMovCan.h"
#include "support/EngineTestSupport.h"

#include <gtest/gtest.h>

namespace
{
struct ClickLog : stsbutListener, StButListener, winToolListener, juce::ChangeListener
{
    explicit ClickLog (std::vector<std::string>& log, std::string n) : entries (log), name (std::move (n)) {}

    void stsButtonClicked (StsBut*, int id) override               { entries.push_back (name + ":" + std::to_string (id)); }
    void stButtonEvent (StBut*, int code, int id) override         { entries.push_back (name + ":" + std::to_string (code) + "/" + std::to_string (id)); }
    void windowTool (juce::Component*, int tool) override          { entries.push_back (name + ":" + std::to_string (tool)); }
    void changeListenerCallback (juce::ChangeBroadcaster*) override { entries.push_back (name + ":change"); }

    std::vector<std::string>& entries;
    std::string name;
};

using Log = std::vector<std::string>;
}

TEST (StsBut, ClicksReachTheLastRegisteredListenerFirstAndOnlyForAReleaseInside)
{
    StsBut button ("SEND", 701, 2);
    button.place (0, 0, 50, 16);
    Log log;
    ClickLog a (log, "a"), b (log, "b"), c (log, "c");
    button.addListener (&a);
    button.addListener (&b);
    button.addListener (&c);
    button.addListener (&a); // at most once

    const struct { int upX, upY; Log expected; } cases[] = {
        { 10, 8, { "c:701", "b:701", "a:701" } },
        { 50, 16, { "c:701", "b:701", "a:701" } }, // the edge counts as inside
        { 51, 8, {} },
        { 10, -1, {} },
    };

    for (const auto& k : cases)
    {
        log.clear();
        button.mouseDown (MouseEvents::at (button, 10, 8));
        button.mouseUp (MouseEvents::at (button, k.upX, k.upY));
        EXPECT_EQ (log, k.expected) << k.upX << "," << k.upY;
    }

    // a release without a press reports nothing
    log.clear();
    button.mouseUp (MouseEvents::at (button, 10, 8));
    EXPECT_TRUE (log.empty());

    button.removeListener (&b);
    button.mouseDown (MouseEvents::at (button, 10, 8));
    button.mouseUp (MouseEvents::at (button, 10, 8));
    EXPECT_EQ (log, (Log { "c:701", "a:701" }));
}

TEST (StBut, ReportsThePressAndThenTheClickAfterItsChangeMessage)
{
    StBut button ("Bass", 7, 2);
    button.place (0, 0, 60, 18);
    Log log;
    ClickLog listener (log, "l");
    button.addListener (&listener);
    button.addChangeListener (&listener);

    button.mouseDown (MouseEvents::at (button, 5, 5));
    button.mouseUp (MouseEvents::at (button, 5, 5));
    EXPECT_EQ (log, (Log { "l:1215/7", "l:change", "l:1216/7" }));

    log.clear();
    button.mouseDown (MouseEvents::at (button, 5, 5));
    button.mouseUp (MouseEvents::at (button, 70, 5));
    EXPECT_EQ (log, (Log { "l:1215/7" })) << "released outside: pressed, never clicked";
}

TEST (LCD_Comp, PressesInAreaModeNameTheirArea)
{
    const struct { float x, y; int area; } cases[] = {
        { 50, 34, LCD_Comp::nameArea }, { 181, 39, LCD_Comp::nameArea }, { 50, 28, LCD_Comp::noArea },
        { 100, 10, LCD_Comp::categoryArea }, { 127, 19, LCD_Comp::categoryArea },
        { 15, 10, LCD_Comp::locationArea }, { 15, 20, LCD_Comp::locationArea }, { 150, 10, LCD_Comp::noArea },
        { 5, 5, LCD_Comp::noArea },
    };
    for (const auto& c : cases)
        EXPECT_EQ (LCD_Comp::areaAt (c.x, c.y), c.area) << c.x << "," << c.y;

    EngineRig rig;
    auto& engine = rig.start();
    LCD_Comp lcd (engine, LCD_Comp::areaMode);
    lcd.setScale (2.0f);
    Log log;
    ClickLog listener (log, "l");
    lcd.addChangeListener (&listener);
    lcd.mouseDown (MouseEvents::at (lcd, 100, 68)); // the name, at twice the size
    EXPECT_EQ (lcd.getClickedArea(), LCD_Comp::nameArea);
    lcd.mouseDown (MouseEvents::at (lcd, 2, 2));
    EXPECT_EQ (log, (Log { "l:change" }));

    // In finder mode any press asks the engine for the program finder.
    LCD_Comp finder (engine, LCD_Comp::finderMode);
    finder.mouseDown (MouseEvents::at (finder, 2, 2));
    std::vector<int32_t> events;
    engine.drainEvents (events);
    EXPECT_EQ (events.back(), StateEvent::openProgramFinder);
}

TEST (WinMovCan, AToolActsOnlyWhenReleasedOnTheZoneThatWasPressed)
{
    juce::Component window;
    WinMovCan tools (window, false);
    Log log;
    ClickLog listener (log, "w");
    tools.addListener (&listener);

    const struct { int downX, upX; Log expected; } cases[] = {
        { 5, 5, { "w:120" } }, { 20, 30, { "w:121" } }, { 50, 40, { "w:122" } },
        { 5, 20, {} }, { 50, 60, {} },
    };
    for (const auto& c : cases)
    {
        log.clear();
        tools.mouseDown (MouseEvents::at (tools, c.downX, 7));
        tools.mouseUp (MouseEvents::at (tools, c.upX, 7));
        EXPECT_EQ (log, c.expected) << c.downX << " -> " << c.upX;
    }

    WinMovCan closeOnly (window, true);
    EXPECT_EQ (closeOnly.getWidth(), 17);
    EXPECT_EQ (closeOnly.toolAt (1), winToolListener::close);
}

TEST (Toggles, SwitchCheckAndLabelNotifyOnTheirOwnPress)
{
    Log log;
    ClickLog listener (log, "t");

    SwitchLED led ("Load stored programs");
    led.addChangeListener (&listener);
    led.mouseDown (MouseEvents::at (led, 25, 5)); // the caption does nothing
    EXPECT_FALSE (led.isOn());
    led.mouseDown (MouseEvents::at (led, 5, 5));
    EXPECT_TRUE (led.isOn());

    Check_But check ("THRU");
    check.addChangeListener (&listener);
    check.mouseDown (MouseEvents::at (check, 5, 5));
    check.mouseUp (MouseEvents::at (check, 5, 5));
    EXPECT_TRUE (check.isChecked());

    StsLabel label ("Channel: 1", 2);
    label.setSize (70, 16);
    label.addChangeListener (&listener);
    label.mouseDown (MouseEvents::at (label, 3, 3));
    EXPECT_EQ (log, (Log { "t:change", "t:change", "t:change" }));
}
