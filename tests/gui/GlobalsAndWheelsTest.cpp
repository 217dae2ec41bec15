#include "MouseEvents.h"
#include "gui/GlbCont.h"
#include "gui/WheelCnt.h"
#include "support/EngineTestSupport.h"

#include <gtest/gtest.h>

namespace
{
/** An engine wired to the simulated instrument, its log cleared, and what reaches it. */
struct Wired
{
    Wired()
    {
        rig.startConnected();
        rig.settle();
        rig.instrument->clearLog();
    }

    MidiCntrState& engine() { return *rig.engine; }

    /** The complete messages the instrument received since the last call, waiting for `count`. */
    std::vector<Bytes> received (size_t count)
    {
        EXPECT_TRUE (rig.instrument->waitForMessages (count, 2000)) << "expected " << count << " messages";
        rig.settle();
        std::vector<Bytes> result;
        for (const auto& m : rig.instrument->messages())
            result.push_back (m.bytes);
        rig.instrument->clearLog();
        return result;
    }

    EngineRig rig;
};

using Messages = std::vector<Bytes>;
using Items = std::vector<GlbCont::MenuItem>;

const Messages slaveClockNrpn { { 0xB0, 0x63, 0x08 }, { 0xB0, 0x62, 0x03 }, { 0xB0, 0x06, 0x00 }, { 0xB0, 0x26, 0x02 } };
}

TEST (GlbCont, TheValueMenuOmitsEveryValueWithoutAText)
{
    EngineRig rig;
    auto& engine = rig.start();

    GlbCont clockMode (engine, 3);
    const Items table { { 1, "OFF" }, { 2, "Out Master" }, { 3, "Slave" }, { 4, "Slave Thru" } };
    EXPECT_EQ (clockMode.menuItems(), table);

    // Values past the table's own have no text.
    clockMode.setMaximum (5);
    EXPECT_EQ (clockMode.menuItems(), table);

    // Nor do gaps in a table the panel gives.
    clockMode.setValueTexts ({ "Internal", "*/*", "External", "*/*" });
    EXPECT_EQ (clockMode.menuItems(), (Items { { 1, "Internal" }, { 3, "External" } }));

    GlbCont tunings (engine, 17);
    ASSERT_EQ (tunings.menuItems().size(), 17u);
    EXPECT_EQ (tunings.menuItems().back(), (GlbCont::MenuItem { 17, "Arabian C" }));
}

TEST (GlbCont, AValueChosenFromTheMenuIsStoredAndSentAsTheGlobalsNrpn)
{
    Wired wire;
    GlbCont clockMode (wire.engine(), 3);
    EXPECT_EQ (clockMode.getBounds(), juce::Rectangle<int> (160, 148, 100, 30));

    int pick = 3, shown = 0;
    clockMode.chooseFromMenu = [&] (const juce::PopupMenu&) { ++shown; return pick; };

    // Only a press and a release both on the value strip open the menu; a right click does nothing.
    const struct { float downY, upY; juce::ModifierKeys mods; bool opens; } clicks[] = {
        { 5, 20, MouseEvents::left, false }, { 20, 5, MouseEvents::left, false },
        { 5, 5, MouseEvents::right, false }, { 17, 0, MouseEvents::left, true },
    };
    for (const auto& c : clicks)
    {
        shown = 0;
        clockMode.mouseDown (MouseEvents::at (clockMode, 50, c.downY, c.mods));
        clockMode.mouseUp (MouseEvents::at (clockMode, 50, c.upY, c.mods));
        EXPECT_EQ (shown, c.opens ? 1 : 0) << c.downY << " -> " << c.upY;
    }

    EXPECT_EQ (wire.engine().getGlobals()[3], 2);
    EXPECT_EQ (wire.received (4), slaveClockNrpn);

    // The same choice again is sent again; a dismissed menu changes and sends nothing.
    clockMode.menuChosen (3);
    EXPECT_EQ (wire.received (4), slaveClockNrpn);
    pick = 0;
    clockMode.mouseDown (MouseEvents::at (clockMode, 50, 5));
    clockMode.mouseUp (MouseEvents::at (clockMode, 50, 5));
    EXPECT_EQ (wire.engine().getGlobals()[3], 2);
    EXPECT_TRUE (wire.received (0).empty());
}

TEST (GlbCont, TogglesKnobsAndTheWheelKeepTheValueInItsRange)
{
    EngineRig rig;
    auto& engine = rig.start();
    auto value = [&engine] (int k) { return (int) engine.getGlobals()[(size_t) k]; };

    // MIDI CONTROLLER ENA: the LED's zone is the left 25 pixels.
    GlbCont led (engine, 7);
    ASSERT_EQ (led.getKind(), GlbCont::ledToggle);
    for (const auto& [x, expected] : { std::pair { 10, 1 }, { 30, 1 }, { 24, 0 } })
    {
        led.mouseDown (MouseEvents::at (led, (float) x, 6));
        EXPECT_EQ (value (7), expected) << x;
    }

    GlbCont box (engine, 10);
    box.setKind (GlbCont::toggleBox);
    box.mouseDown (MouseEvents::at (box, 5, 15));
    EXPECT_EQ (value (10), 0) << "beside the centred box";
    box.mouseDown (MouseEvents::at (box, 50, 15));
    EXPECT_EQ (value (10), 1);

    // COARSE (0..24) takes 6 pixels a step, FINE (0..100) 1.5; up and right both raise.
    GlbCont coarse (engine, 0), fine (engine, 1);
    ASSERT_EQ (coarse.getKind(), GlbCont::knob);
    const struct { GlbCont* knob; int start; float dx, dy; int expected; } drags[] = {
        { &coarse, 12, 0, -12, 14 }, { &coarse, 12, 0, -11, 13 }, { &coarse, 12, 6, -6, 14 },
        { &coarse, 12, 6, 6, 12 }, { &coarse, 12, 0, -500, 24 }, { &coarse, 12, 0, 500, 0 },
        { &fine, 50, 0, -3, 52 }, { &fine, 50, -4, 0, 48 },
    };
    for (const auto& d : drags)
    {
        engine.setGlobal (d.knob->getIndex(), d.start);
        d.knob->mouseDown (MouseEvents::at (*d.knob, 30, 30));
        d.knob->mouseDrag (MouseEvents::drag (*d.knob, 30, 30, 30 + d.dx, 30 + d.dy));
        d.knob->mouseUp (MouseEvents::at (*d.knob, 30 + d.dx, 30 + d.dy));
        EXPECT_EQ (d.knob->getValue(), d.expected) << d.knob->getIndex() << ": " << d.dx << "," << d.dy;
    }
    EXPECT_EQ (coarse.knobFrame(), 0);
    engine.setGlobal (0, 24);
    EXPECT_EQ (coarse.knobFrame(), 60);
    EXPECT_EQ (coarse.valueText (coarse.getValue()), "12");

    fine.mouseWheelMove (MouseEvents::at (fine, 30, 30), MouseEvents::wheel (1));
    EXPECT_EQ (fine.getValue(), 49);
    engine.setGlobal (1, 100);
    fine.mouseWheelMove (MouseEvents::at (fine, 30, 30), MouseEvents::wheel (1));
    EXPECT_EQ (fine.getValue(), 100);
    fine.mouseWheelMove (MouseEvents::at (fine, 30, 30), MouseEvents::wheel (-1));
    EXPECT_EQ (fine.getValue(), 99);
}

TEST (WheelCnt, ThePitchWheelReleasedAt100SpringsBackToTheWiresCentre)
{
    Wired wire;
    wire.engine().setMidiChannel (3);
    WheelCnt pitch (wire.engine(), WheelCnt::pitchWheel);
    ASSERT_EQ (pitch.getValue(), 64);

    pitch.mouseDown (MouseEvents::at (pitch, 15, 80));
    pitch.mouseDrag (MouseEvents::drag (pitch, 15, 80, 15, 44));
    EXPECT_EQ (pitch.getValue(), 100);
    EXPECT_EQ (wire.received (1), (Messages { { 0xE2, 0x00, 0x64 } })) << "100 × 128";

    pitch.mouseUp (MouseEvents::at (pitch, 15, 44));
    EXPECT_EQ (pitch.getValue(), 64);
    EXPECT_EQ (wire.received (1), (Messages { { 0xE2, 0x00, 0x40 } })) << "8192: no bend left behind";
}

TEST (WheelCnt, TheModulationWheelStaysWhereItIsLeftAndSendsController1)
{
    Wired wire;
    WheelCnt mod (wire.engine(), WheelCnt::modulationWheel);
    ASSERT_EQ (mod.getValue(), 0);

    mod.mouseDown (MouseEvents::at (mod, 15, 100));
    mod.mouseDrag (MouseEvents::drag (mod, 15, 100, 15, 60));
    mod.mouseDrag (MouseEvents::drag (mod, 15, 100, 15, 60)); // no move, nothing sent
    mod.mouseUp (MouseEvents::at (mod, 15, 60));
    EXPECT_EQ (mod.getValue(), 40);
    EXPECT_EQ (wire.received (1), (Messages { { 0xB0, 0x01, 40 } }));

    mod.mouseWheelMove (MouseEvents::at (mod, 15, 60), MouseEvents::wheel (-1));
    EXPECT_EQ (wire.received (1), (Messages { { 0xB0, 0x01, 39 } }));

    // Far past either end it stops there.
    mod.mouseDown (MouseEvents::at (mod, 15, 100));
    mod.mouseDrag (MouseEvents::drag (mod, 15, 100, 15, -400));
    EXPECT_EQ (mod.getValue(), 127);
    mod.mouseDrag (MouseEvents::drag (mod, 15, 100, 15, 400));
    EXPECT_EQ (mod.getValue(), 0);
    mod.mouseUp (MouseEvents::at (mod, 15, 400));
    EXPECT_EQ (wire.received (2), (Messages { { 0xB0, 0x01, 127 }, { 0xB0, 0x01, 0 } }));
}

TEST (WheelCnt, TheInstrumentsWheelMovesItWithoutEchoAndPicksTheFilmFrame)
{
    Wired wire;
    WheelCnt pitch (wire.engine(), WheelCnt::pitchWheel), mod (wire.engine(), WheelCnt::modulationWheel);
    pitch.setValueFromInstrument (90);
    mod.setValueFromInstrument (300);
    EXPECT_EQ (pitch.getValue(), 90);
    EXPECT_EQ (mod.getValue(), 127);
    EXPECT_TRUE (wire.received (0).empty());

    for (const auto& [v, frame] : { std::pair { 0, 0 }, { 3, 0 }, { 4, 1 }, { 63, 16 }, { 100, 26 }, { 127, 34 } })
        EXPECT_EQ (WheelCnt::frameFor (v), frame) << v;

    pitch.setScale (2.0f);
    EXPECT_EQ (pitch.getBounds().getWidth(), 62);
    EXPECT_EQ (pitch.getBounds().getHeight(), 224);
}
