#include "EditorRig.h"
#include "MouseEvents.h"
#include "gui/EditSurface.h"
#include "gui/Envel.h"
#include "model/ValueFormat.h"

#include <gtest/gtest.h>

using MouseEvents::at;
using MouseEvents::drag;

namespace
{
/** The (parameter, value) pairs of the parameter NRPNs the instrument received, in order; the
    engine leaves out the number (and the MSB) when they repeat, so the state carries over. */
std::vector<std::pair<int, int>> parameterNrpns (const SimulatedProphet& instrument)
{
    std::vector<std::pair<int, int>> out;
    int msb = 0, lsb = 0, dataMsb = 0;
    for (const auto& m : instrument.messages())
    {
        if (m.bytes.size() != 3 || (m.bytes[0] & 0xF0) != 0xB0)
            continue;
        switch (m.bytes[1])
        {
            case 99: msb = m.bytes[2]; break;
            case 98: lsb = m.bytes[2]; break;
            case 6:  dataMsb = m.bytes[2]; break;
            case 38: out.emplace_back (msb * 128 + lsb, dataMsb * 128 + m.bytes[2]); break;
            default: break;
        }
    }
    return out;
}

/** A single control of the current program, outside any panel. */
struct ControlRig : ProcessorRig
{
    std::unique_ptr<StsCont> make (int p, int kind)
    {
        auto& table = engine().getParTable();
        return std::make_unique<StsCont> (engine(), processor->getPanelImages(), p, kind, table.getDisplayFormat (p),
                                          juce::Rectangle<int> (0, 0, 66, 60));
    }

    int value (int p) { return engine().getPluginBank().singleByte (p); }
    void set (int p, int v) { engine().getPluginBank().setSingleByte (p, (uint8_t) v); }
};

void dragBy (StsCont& c, int dx, int dy)
{
    c.mouseDown (at (c, 30, 30));
    c.mouseDrag (drag (c, 30, 30, 30.0f + (float) dx, 30.0f + (float) dy));
    c.mouseUp (at (c, 30.0f + (float) dx, 30.0f + (float) dy));
}

void click (juce::Component& c)
{
    c.mouseDown (at (c, 5, 5));
    c.mouseUp (at (c, 5, 5));
}
}

//==============================================================================
TEST (StsCont, AKnobTakes15PixelsAStepBelowMaximum15And1Point5Above)
{
    struct Case
    {
        int parameter, start, dx, dy, expected;
    };
    // 53 (VOICE COUNT) reaches 6, 17 (FILTER CUTOFF) 120; up and right both raise the value
    const Case cases[] = {
        { 53, 2, 15, 0, 3 },   { 53, 2, 29, 0, 3 },    { 53, 2, 0, -30, 4 },   { 53, 2, 15, 15, 2 },
        { 53, 2, 15, -15, 4 }, { 53, 2, -10, 200, 0 }, { 17, 60, 3, 0, 62 },   { 17, 60, 0, -1, 60 },
        { 17, 60, 0, -2, 61 }, { 17, 60, 15, 15, 60 }, { 17, 60, 15, -15, 80 }, { 17, 60, 0, -500, 120 },
        { 17, 60, -1, 0, 59 },
    };

    ControlRig rig;
    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << c.parameter << " from " << c.start << " by " << c.dx << "," << c.dy);
        rig.set (c.parameter, c.start);
        auto control = rig.make (c.parameter, ParTable::knob);
        dragBy (*control, c.dx, c.dy);
        EXPECT_EQ (rig.value (c.parameter), c.expected);
        EXPECT_EQ (control->getDisplayText(), ValueFormat::formatValue (rig.engine().getParTable().getDisplayFormat (c.parameter), c.expected));
    }
}

TEST (StsCont, AKnobDragStoresReportsToTheHostAndSendsOnlyChangedValues)
{
    ControlRig rig;
    HostRecorder host;
    rig.processor->addListener (&host);
    auto control = rig.make (17, ParTable::knob);
    rig.set (17, 60);
    rig.instrument->clearLog();

    dragBy (*control, 15, 0);
    EXPECT_EQ (rig.value (17), 70);
    EXPECT_EQ (control->getFrame(), 35); // 60 × 70 / 120
    ASSERT_TRUE (pumpUntil ([&] { return rig.instrument->getEditBuffer()[17] == 70; }));
    const auto h = rig.engine().getParTable().getHostOfParam (17);
    EXPECT_EQ (host.entries().front(), (HostRecorder::Entry { 'b', h, 0.0f }));
    EXPECT_EQ (host.entries()[1], (HostRecorder::Entry { 'v', h, 70.0f / 120.0f }));

    // back and forth to where it started: no step, nothing more goes out
    rig.instrument->clearLog();
    dragBy (*control, 15, 15);
    rig.settle();
    EXPECT_TRUE (rig.instrument->messages().empty());
    rig.processor->removeListener (&host);
}

TEST (StsCont, SwitchesToggleCycleAndLightTheirLeds)
{
    ControlRig rig;

    // the filter's keyboard tracking: off, half, full, off; the LEDs none, left, right, none
    auto keyboard = rig.make (19, ParTable::threeStateSwitch);
    rig.set (19, 0);
    const std::pair<int, int> cycle[] = { { 1, 1 }, { 2, 2 }, { 0, 0 }, { 1, 1 } };
    for (const auto& [value, leds] : cycle)
    {
        click (*keyboard);
        EXPECT_EQ (rig.value (19), value);
        EXPECT_EQ (keyboard->litLeds(), leds);
        EXPECT_EQ (keyboard->getDisplayText(), ValueFormat::formatValue (ValueFormat::offHalfFull, value));
    }

    // the filter revision: left LED for 0, right for 1
    auto revision = rig.make (20, ParTable::revisionSwitch);
    rig.set (20, 0);
    EXPECT_EQ (revision->litLeds(), 1);
    click (*revision);
    EXPECT_EQ (rig.value (20), 1);
    EXPECT_EQ (revision->litLeds(), 2);

    // a push switch holding an out-of-range 5 goes to 0; a right click does nothing
    auto sync = rig.make (10, ParTable::pushSwitch);
    rig.set (10, 5);
    sync->mouseDown (at (*sync, 5, 5, MouseEvents::right));
    EXPECT_EQ (rig.value (10), 5);
    click (*sync);
    EXPECT_EQ (rig.value (10), 0);
    click (*sync);
    EXPECT_EQ (rig.value (10), 1);
    EXPECT_FALSE (sync->isPressed());
}

TEST (StsCont, TheWheelStepsByOneWithinTheRange)
{
    ControlRig rig;
    auto cutoff = rig.make (17, ParTable::knob);
    auto sync = rig.make (10, ParTable::pushSwitch);
    rig.set (17, 119);
    rig.set (10, 0);

    const std::tuple<StsCont*, int, int> steps[] = { { cutoff.get(), 1, 120 }, { cutoff.get(), 1, 120 }, { cutoff.get(), -4, 119 },
                                                     { sync.get(), -1, 0 }, { sync.get(), 2, 1 }, { sync.get(), 1, 1 } };
    for (const auto& [control, notches, expected] : steps)
    {
        control->mouseWheelMove (at (*control, 5, 5, {}), MouseEvents::wheel (notches));
        EXPECT_EQ (rig.value (control->getParameter()), expected);
    }
}

//==============================================================================
namespace
{
struct GraphRig
{
    GraphRig()
    {
        for (int stage = 0; stage < 4; ++stage)
            graph.setStage (stage, 30.0f);
        graph.recompute();
        graph.addChangeListener (&messages);
    }

    ~GraphRig() { graph.removeChangeListener (&messages); }

    struct Counter : juce::ChangeListener
    {
        void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }
        int count = 0;
    };

    juce::Point<float> corner (size_t i) const { return graph.getCorners()[i]; }

    void dragFrom (juce::Point<float> from, float dx, float dy)
    {
        graph.mouseDown (at (graph, from.x, from.y));
        graph.mouseDrag (drag (graph, from.x, from.y, from.x + dx, from.y + dy));
    }

    Envel graph { 12, {} };
    Counter messages;
};
}

TEST (Envel, AttackRoundsTheDragToWholeStepsOf1Point5Pixels)
{
    const std::pair<float, float> cases[] = { { 1.0f, 31.0f }, { 2.0f, 31.0f }, { 3.0f, 32.0f }, { -3.0f, 28.0f }, { 300.0f, 127.0f } };
    for (const auto& [dx, attack] : cases)
    {
        SCOPED_TRACE (dx);
        GraphRig rig;
        rig.dragFrom (rig.corner (1), dx, 0.0f);
        EXPECT_EQ (rig.graph.getAttack(), attack);
        EXPECT_EQ (rig.graph.getState(), Envel::dragging);
        EXPECT_EQ (rig.graph.getDecay(), 30.0f);
    }
}

TEST (Envel, TheDecaySustainHandleTakesBothAxesAndReleaseItsOwnEnd)
{
    GraphRig rig;
    // a point on the sustain level between the end of decay and the end of sustain
    const auto onSustain = (rig.corner (2) + rig.corner (3)) * 0.5f;
    rig.dragFrom (onSustain, 6.0f, -3.0f);
    EXPECT_EQ (rig.graph.getDecay(), 34.0f);
    EXPECT_EQ (rig.graph.getSustain(), 32.0f);

    // only the axis that moved is taken again
    rig.graph.mouseDrag (drag (rig.graph, onSustain.x, onSustain.y, onSustain.x + 6.0f, onSustain.y - 9.0f));
    EXPECT_EQ (rig.graph.getDecay(), 34.0f);
    EXPECT_EQ (rig.graph.getSustain(), 36.0f);
    rig.graph.mouseUp (at (rig.graph, onSustain.x + 6.0f, onSustain.y - 9.0f));

    GraphRig second;
    second.dragFrom (second.corner (4), 4.5f, 0.0f);
    EXPECT_EQ (second.graph.getRelease(), 33.0f);

    // the sustain stage keeps its length whatever the values
    for (auto* r : { &rig, &second })
        EXPECT_FLOAT_EQ (r->corner (3).x - r->corner (2).x, Envel::unit * Envel::sustainLength);
}

TEST (Envel, ClicksAwayFromTheHandlesOrWithTheRightButtonChangeNoValue)
{
    GraphRig rig;
    // inside the polygon, far from every handle
    const juce::Point<float> inside (rig.corner (1).x + 2.0f, 62.0f);
    ASSERT_EQ (rig.graph.handleAt (inside), Envel::noHandle);
    rig.dragFrom (inside, 20.0f, -20.0f);
    EXPECT_EQ (rig.messages.count, 0);
    EXPECT_EQ (rig.graph.getState(), Envel::idle);
    EXPECT_EQ (rig.graph.getAttack(), 30.0f);
    EXPECT_EQ (rig.graph.getSustain(), 30.0f);

    rig.graph.mouseDown (at (rig.graph, rig.corner (1).x, rig.corner (1).y, MouseEvents::right));
    rig.graph.mouseDrag (drag (rig.graph, rig.corner (1).x, rig.corner (1).y, rig.corner (1).x + 30.0f, 4.0f, MouseEvents::right));
    EXPECT_EQ (rig.graph.getState(), Envel::ignoredClick);
    EXPECT_EQ (rig.messages.count, 1);
    EXPECT_EQ (rig.graph.getAttack(), 30.0f);
}

TEST (Envel, TheReleaseIsReported100MillisecondsAfterTheButtonGoesUp)
{
    GraphRig rig;
    rig.dragFrom (rig.corner (1), 3.0f, 0.0f);
    rig.graph.mouseUp (at (rig.graph, rig.corner (1).x + 3.0f, rig.corner (1).y));
    EXPECT_EQ (rig.graph.getState(), Envel::dragging);
    // not at once: a moment later
    EXPECT_TRUE (rig.graph.isReleasePending());
    pumpPending();
    EXPECT_EQ (rig.graph.getState(), Envel::dragging);
    ASSERT_TRUE (pumpUntil ([&] { return rig.graph.getState() == Envel::released; }, 1000));
    EXPECT_EQ (rig.messages.count, 3); // pressed, dragged, released

    // a new press within the 100 ms overtakes the release not yet reported
    rig.dragFrom (rig.corner (1), 3.0f, 0.0f);
    rig.graph.mouseUp (at (rig.graph, rig.corner (1).x + 3.0f, rig.corner (1).y));
    rig.graph.mouseDown (at (rig.graph, rig.corner (1).x, rig.corner (1).y));
    EXPECT_FALSE (rig.graph.isReleasePending());
    pumpPending();
    EXPECT_EQ (rig.graph.getState(), Envel::pressedOnHandle);
}

//==============================================================================
namespace
{
struct PanelRig : EditorRig
{
    EditSurface& surface() { return main->getEditorPanel().getSurface(); }
    StsCont& control (int p) { return *surface().getControl (p); }
    EnvPanel& envelopes() { return main->getEditBar().getEnvPanel(); }
    int value (int p) { return engine().getPluginBank().singleByte (p); }

    void loadEnvelopes (std::array<int, 8> bytes)
    {
        auto record = engine().getEditBuffer();
        for (size_t i = 0; i < 8; ++i)
            record[43 + i] = (uint8_t) bytes[i];
        engine().getPluginBank().setSingle (record);
        main->handleEvents ({ StateEvent::editBufferChanged });
    }
};
}

TEST (FrontPanelEnvelopes, DraggingAGraphMovesItsFourKnobsWhichAreSentAndReportedToTheHost)
{
    PanelRig rig;
    HostRecorder host;
    rig.processor->addListener (&host);
    rig.loadEnvelopes ({ 10, 11, 20, 21, 30, 31, 40, 41 });
    rig.instrument->clearLog();
    host.clear();

    auto& graph = rig.envelopes().getFilterGraph();
    const auto onSustain = (graph.getCorners()[2] + graph.getCorners()[3]) * 0.5f;
    graph.mouseDown (at (graph, onSustain.x, onSustain.y));
    graph.mouseDrag (drag (graph, onSustain.x, onSustain.y, onSustain.x + 6.0f, onSustain.y - 6.0f));

    // the filter's decay and sustain moved; attack, release and the amplifier's stayed
    const std::pair<int, int> expected[] = { { 43, 10 }, { 45, 24 }, { 47, 34 }, { 49, 40 }, { 44, 11 }, { 46, 21 } };
    for (const auto& [p, v] : expected)
    {
        EXPECT_EQ (rig.value (p), v) << p;
        EXPECT_EQ (rig.control (p).getDisplayText(), juce::String (v)) << p;
    }

    ASSERT_TRUE (pumpUntil ([&] { return rig.instrument->getEditBuffer()[47] == 34; }));
    rig.settle();
    const auto sent = parameterNrpns (*rig.instrument);
    EXPECT_NE (std::find (sent.begin(), sent.end(), std::make_pair (45, 24)), sent.end());
    EXPECT_NE (std::find (sent.begin(), sent.end(), std::make_pair (47, 34)), sent.end());

    auto& table = rig.engine().getParTable();
    const auto reported = [&] (int p, int v)
    {
        const auto list = host.entries();
        return std::find (list.begin(), list.end(), HostRecorder::Entry { 'v', table.getHostOfParam (p), (float) v / 120.0f }) != list.end();
    };
    EXPECT_TRUE (reported (45, 24));
    EXPECT_TRUE (reported (47, 34));
    rig.processor->removeListener (&host);
}

TEST (FrontPanelEnvelopes, ADragSendsOnlyTheStagesItMoved)
{
    PanelRig rig;
    rig.loadEnvelopes ({ 10, 11, 20, 21, 30, 31, 40, 41 });
    rig.instrument->clearLog();

    auto& graph = rig.envelopes().getFilterGraph();
    const auto onSustain = (graph.getCorners()[2] + graph.getCorners()[3]) * 0.5f;
    graph.mouseDown (at (graph, onSustain.x, onSustain.y));
    graph.mouseDrag (drag (graph, onSustain.x, onSustain.y, onSustain.x, onSustain.y - 6.0f));
    graph.mouseDrag (drag (graph, onSustain.x, onSustain.y, onSustain.x, onSustain.y - 9.0f));
    graph.mouseUp (at (graph, onSustain.x, onSustain.y - 9.0f));

    // Straight up moves the sustain alone: its number once, then only its values.
    EXPECT_EQ (heard (rig), (std::vector<Bytes> { { 0xB0, 99, 0 }, { 0xB0, 98, 47 }, { 0xB0, 6, 0 }, { 0xB0, 38, 34 }, { 0xB0, 38, 36 } }));
}

TEST (FrontPanelEnvelopes, AGraphDraggedPastAKnobsEndShowsTheDragWhileTheKnobHoldsItsMaximum)
{
    PanelRig rig;
    rig.loadEnvelopes ({ 10, 11, 20, 21, 30, 31, 40, 41 });
    auto& amplifier = rig.envelopes().getAmplifierGraph();
    const auto peak = amplifier.getCorners()[1];
    amplifier.mouseDown (at (amplifier, peak.x, peak.y));
    amplifier.mouseDrag (drag (amplifier, peak.x, peak.y, peak.x + 300.0f, peak.y));

    EXPECT_EQ (amplifier.getAttack(), 127.0f);
    EXPECT_EQ (rig.value (44), 120);
    EXPECT_EQ (rig.control (44).getFrame(), 60);
    EXPECT_EQ (rig.value (43), 10); // the filter's knobs are not the amplifier graph's
    EXPECT_EQ (rig.value (46), 21);

    // the press, the release and an ignored click change no parameter
    ASSERT_TRUE (pumpUntil ([&] { return rig.instrument->getEditBuffer()[44] == 120; }));
    rig.settle();
    rig.instrument->clearLog();
    amplifier.mouseUp (at (amplifier, peak.x + 300.0f, peak.y));
    ASSERT_TRUE (pumpUntil ([&] { return amplifier.getState() == Envel::released; }));
    amplifier.mouseDown (at (amplifier, peak.x, peak.y, MouseEvents::right));
    EXPECT_EQ (amplifier.getState(), Envel::ignoredClick);
    rig.settle();
    EXPECT_TRUE (rig.instrument->messages().empty());

    // the next program load puts the graph back on the parameter
    rig.main->handleEvents ({ StateEvent::editBufferChanged });
    EXPECT_EQ (amplifier.getAttack(), 120.0f);
}

TEST (FrontPanelEnvelopes, KnobsProgramLoadsAndIncomingEditsMoveTheGraphs)
{
    PanelRig rig;
    auto& filter = rig.envelopes().getFilterGraph();
    auto& amplifier = rig.envelopes().getAmplifierGraph();

    // a program load moves both graphs, though the panel is hidden
    ASSERT_FALSE (rig.envelopes().isVisible());
    rig.loadEnvelopes ({ 10, 11, 20, 21, 30, 31, 40, 41 });
    EXPECT_EQ (filter.getRelease(), 40.0f);
    EXPECT_EQ (amplifier.getAttack(), 11.0f);

    // a knob turned on the panel
    auto& attack = rig.control (43);
    attack.mouseWheelMove (at (attack, 5, 5, {}), MouseEvents::wheel (1));
    EXPECT_EQ (filter.getAttack(), 11.0f);
    auto& sustain = rig.control (48);
    dragBy (sustain, 0, -15);
    EXPECT_EQ (amplifier.getSustain(), 41.0f);

    // an edit on the instrument: knob and graph follow and nothing is sent for the display
    ASSERT_TRUE (pumpUntil ([&] { return rig.instrument->getEditBuffer()[48] == 41; }));
    rig.settle();
    rig.instrument->clearLog();
    rig.main->handleEvents ({ StateEvent::parameterChanged (47, 90) });
    EXPECT_EQ (rig.control (47).getDisplayText(), "90");
    EXPECT_EQ (filter.getSustain(), 90.0f);
    rig.settle();
    EXPECT_TRUE (rig.instrument->messages().empty());

    // the same from the instrument's own knob, end to end
    rig.instrument->turnKnob (49, 77);
    EXPECT_TRUE (pumpUntil ([&] { return rig.control (49).getDisplayText() == "77"; }));
    EXPECT_EQ (filter.getRelease(), 77.0f);
}

//==============================================================================
namespace
{
/** The panel at half size, however it got there: 882 × 165 with room for the scroller below. */
void expectHalfSize (EditorPanel& panel)
{
    EXPECT_EQ (panel.getSurface().getBounds(), juce::Rectangle<int> (0, 0, 882, 165));
    EXPECT_EQ (panel.getHeight(), 179);
    EXPECT_EQ (panel.getZoomHandle().getPercent(), 50);
}
}

TEST (FrontPanelLayout, HalfZoomMakesThePanel882By165AndHidesTheScrollerInAWiderWindow)
{
    ProcessorRig rig;
    rig.engine().getSettings().setInt (SettingsBlock::editorScaleOffset, 500);
    std::unique_ptr<juce::AudioProcessorEditor> editor (rig.processor->createEditor());
    editor->setSize (1000, 600);
    auto& panel = dynamic_cast<MorvexAudioProcessorEditor&> (*editor).getMainComp()->getEditorPanel();
    panel.layoutPanel(); // what the resize's short delay leads to

    expectHalfSize (panel);
    EXPECT_FALSE (panel.getScroller().isVisible());
    EXPECT_EQ (panel.getZoomHandle().getBounds(), juce::Rectangle<int> (950, 165, 50, 14));
    // every control at half its panel rectangle
    const auto& cutoff = *panel.getSurface().getControl (17);
    EXPECT_EQ (cutoff.getBounds(), juce::Rectangle<int> (536, 21, 33, 30)); // (993 + 79, 26 + 16) / 2
    EXPECT_EQ (panel.getSurface().getProgramDisplay().getBounds(), juce::Rectangle<int> (419, 121, 40, 20));
}

TEST (FrontPanelLayout, SectionKeysScrollANarrowerWindowAtEitherZoom)
{
    struct Case
    {
        int zoomPermille, width, key, position, surfaceX;
    };
    const Case cases[] = {
        { 1000, 1000, MainComp::keyF1 + 2, 711, -711 }, { 1000, 1000, MainComp::keyF1 + 1, 351, -351 },
        { 1000, 1000, MainComp::keyF1 + 3, 764, -764 }, { 1000, 1000, MainComp::keyF1, 0, 0 },
        // at half size the panel needs 1764 - 600 / 0.5 = 564 units of travel
        { 500, 600, MainComp::keyF1 + 1, 351, -176 },   { 500, 600, MainComp::keyF1 + 3, 564, -282 },
        // the whole panel in view: nothing to scroll
        { 500, 1000, MainComp::keyF1 + 2, 0, 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << c.zoomPermille << " " << c.width << " " << c.key);
        ProcessorRig rig;
        rig.engine().getSettings().setInt (SettingsBlock::editorScaleOffset, c.zoomPermille);
        std::unique_ptr<juce::AudioProcessorEditor> editor (rig.processor->createEditor());
        auto* main = dynamic_cast<MorvexAudioProcessorEditor&> (*editor).getMainComp();
        main->toggleAbout (0);
        editor->setSize (c.width, 600);
        auto& panel = main->getEditorPanel();
        panel.layoutPanel();
        EXPECT_TRUE (main->keyPlayed (MainComp::frontPanel, c.key, false, false, false));
        EXPECT_EQ (panel.getScroller().getPosition(), c.position);
        EXPECT_EQ (panel.getSurface().getX(), c.surfaceX);

        // with an overlay on top the keys are taken but the panel stays
        main->toggleAbout (0);
        EXPECT_TRUE (main->keyPlayed (main->getActivePanel(), MainComp::keyF1, false, false, false));
        EXPECT_EQ (panel.getScroller().getPosition(), c.position);
    }
}

TEST (FrontPanelLayout, TheZoomHandleDraggedUpHalvesThePanelAndAClickChangesNothing)
{
    EditorRig rig;
    rig.main->toggleAbout (0);
    rig.editor->setSize (800, 640);
    auto& panel = rig.main->getEditorPanel();
    panel.layoutPanel();
    auto& handle = panel.getZoomHandle();
    rig.main->scrollToSection (4);
    ASSERT_EQ (panel.getHeight(), 344);

    // a click on the grip: no new zoom, the panel stays where it was scrolled
    handle.mouseDown (at (handle, 45, 7));
    handle.mouseUp (at (handle, 45, 7));
    EXPECT_EQ (rig.engine().getSettings().getInt (SettingsBlock::editorScaleOffset), 1000);
    EXPECT_EQ (panel.getScroller().getPosition(), 711);

    // dragged 165 pixels up: a panel of 179 pixels, zoom 0.5, scrolled back to the left
    handle.mouseDown (at (handle, 45, 7));
    handle.mouseDrag (drag (handle, 45, 7, 45, 7 - 165));
    handle.mouseUp (at (handle, 45, 7 - 165));
    panel.layoutPanel();
    EXPECT_EQ (rig.engine().getSettings().getInt (SettingsBlock::editorScaleOffset), 500);
    expectHalfSize (panel);
    EXPECT_TRUE (panel.getScroller().isVisible());
    EXPECT_EQ (panel.getScroller().getPosition(), 0);
}

TEST (FrontPanelScroller, AHeldArrowStepsAVisibleAmountAndSpeedsUpUntilTheEnd)
{
    EditorRig rig;
    rig.engine().getSettings().setInt (SettingsBlock::editorScaleOffset, 1000);
    rig.editor->setSize (1000, 600);
    auto& panel = rig.main->getEditorPanel();
    panel.layoutPanel();
    auto& bar = panel.getScroller();
    ASSERT_TRUE (bar.isVisible());

    // one press moves a part of the panel the eye sees move: a tenth of the 1,000 units in view
    bar.mouseDown (at (bar, (float) bar.getWidth() - 5.0f, 7.0f));
    EXPECT_GE (bar.getPosition(), 100);
    EXPECT_EQ (panel.getSurface().getX(), -bar.getPosition());

    // held, it steps again sooner each time and crosses the panel within two seconds
    const auto firstInterval = bar.getTimerInterval();
    int elapsed = 0, ticks = 0, previous = firstInterval;
    while (bar.getPosition() < bar.getMaximum() && ticks++ < 100)
    {
        elapsed += bar.getTimerInterval();
        bar.timerCallback();
        EXPECT_LE (bar.getTimerInterval(), previous);
        previous = bar.getTimerInterval();
    }
    EXPECT_EQ (bar.getPosition(), bar.getMaximum());
    EXPECT_LT (elapsed, 2000);
    EXPECT_LT (previous, firstInterval) << "it speeds up";
    EXPECT_EQ (panel.getSurface().getX(), -bar.getMaximum());

    bar.mouseUp (at (bar, (float) bar.getWidth() - 5.0f, 7.0f));
    EXPECT_FALSE (bar.isTimerRunning());

    // the left arrow comes back the same way
    bar.mouseDown (at (bar, 5.0f, 7.0f));
    EXPECT_LE (bar.getPosition(), bar.getMaximum() - 100);
    bar.mouseUp (at (bar, 5.0f, 7.0f));
}

TEST (FrontPanelScroller, TheThumbShowsTheVisiblePartAndDraggingItMovesThePanelInProportion)
{
    const struct { int width, zoomPermille; } cases[] = { { 1000, 1000 }, { 1000, 750 }, { 700, 500 }, { 1600, 1000 } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << c.width << " at " << c.zoomPermille);
        EditorRig rig;
        rig.main->setZoom ((float) c.zoomPermille / 1000.0f);
        rig.editor->setSize (c.width, 600);
        auto& panel = rig.main->getEditorPanel();
        panel.layoutPanel();
        auto& bar = panel.getScroller();
        ASSERT_TRUE (bar.isVisible());

        // the thumb is to the track what the window is to the panel
        const auto zoom = (float) c.zoomPermille / 1000.0f;
        const auto track = bar.getWidth() - 2 * ScrollTrack::arrowLength;
        EXPECT_NEAR (bar.getThumbLength(), (float) track * (float) c.width / (1764.0f * zoom), 1.0f);

        // taken anywhere along it, the thumb moves with the pointer: half its travel is half the
        // panel's, the whole of it brings the panel's right end to the window's
        const auto thumb = bar.getThumbBounds();
        const auto travel = track - thumb.getWidth();
        const auto grab = (float) thumb.getX() + (float) thumb.getWidth() * 0.8f;
        bar.mouseDown (at (bar, grab, 7));
        EXPECT_EQ (bar.getPosition(), 0) << "taking the thumb does not move it";
        bar.mouseDrag (drag (bar, grab, 7, grab + (float) travel / 2.0f, 7));
        EXPECT_NEAR (bar.getPosition(), bar.getMaximum() / 2, 2);
        bar.mouseDrag (drag (bar, grab, 7, grab + (float) travel, 7));
        EXPECT_EQ (bar.getPosition(), bar.getMaximum());
        bar.mouseUp (at (bar, grab + (float) travel, 7));
        EXPECT_NEAR (panel.getSurface().getRight(), c.width, zoom + 1.0f);
        EXPECT_GE (panel.getSurface().getRight(), c.width) << "no gap at the panel's end";
    }
}

TEST (FrontPanelScroller, TheMouseWheelOverThePanelScrollsItSideways)
{
    EditorRig rig;
    rig.editor->setSize (1000, 600);
    auto& panel = rig.main->getEditorPanel();
    panel.layoutPanel();
    auto& bar = panel.getScroller();
    auto& surface = panel.getSurface();

    // over the printing between the controls (the panel's top-left corner)
    const auto e = at (surface, 4, 4);
    surface.mouseWheelMove (e, MouseEvents::wheel (-1));
    const auto oneNotch = bar.getPosition();
    EXPECT_GE (oneNotch, 50) << "a notch down moves right by a visible amount";
    EXPECT_EQ (surface.getX(), -oneNotch);
    surface.mouseWheelMove (e, MouseEvents::wheel (-100));
    EXPECT_EQ (bar.getPosition(), bar.getMaximum());
    surface.mouseWheelMove (e, MouseEvents::wheel (100));
    EXPECT_EQ (bar.getPosition(), 0);

    // with the whole panel in view the wheel has nothing to move
    rig.main->setZoom (0.5f);
    panel.layoutPanel();
    surface.mouseWheelMove (e, MouseEvents::wheel (-1));
    EXPECT_EQ (surface.getX(), 0);
}

TEST (FrontPanelLayout, TheZoomPercentageOffersHalfThreeQuartersFullAndFit)
{
    EditorRig rig;
    rig.editor->setSize (1000, 600);
    auto& handle = rig.main->getEditorPanel().getZoomHandle();
    const struct { int pick; float zoom; } cases[] = {
        { 50, 0.5f }, { 75, 0.75f }, { 100, 1.0f },
        // the panel's 1,764 units across 1,000 pixels
        { MainComp::fitZoomId, 0.566f },
        { 0, 0.566f },
    };
    for (const auto& c : cases)
    {
        rig.pick = c.pick;
        handle.mouseDown (at (handle, 10, 7));
        handle.mouseUp (at (handle, 10, 7));
        EXPECT_EQ (rig.shownItems, juce::StringArray ({ "50 %", "75 %", "100 %", "Fit" }));
        EXPECT_FLOAT_EQ (rig.main->getZoom(), c.zoom) << c.pick;
        EXPECT_EQ (rig.main->getEditorPanelBounds().getHeight(), (int) (c.zoom * 330.0f) + 14) << c.pick;
        EXPECT_EQ (rig.engine().getSettings().getInt (SettingsBlock::editorScaleOffset), (int) (c.zoom * 1000.0f)) << c.pick;
    }
    EXPECT_LE (std::ceil (1764.0f * rig.main->getZoom()), 1000.0f) << "Fit shows the whole panel";
}

TEST (FrontPanelRoundTrip, AProgramFromTheInstrumentShowsEveryPanelValue)
{
    EditorRig rig;
    juce::Random random (1723);
    auto& table = rig.engine().getParTable();
    auto record = rig.instrument->getEditBuffer();
    for (int p = 0; p < 100; ++p)
        record[(size_t) p] = (uint8_t) (table.getMinimum (p) + random.nextInt ((int) table.getMaximum (p) - table.getMinimum (p) + 1));
    rig.instrument->setEditBuffer (record);

    rig.main->receiveCurrentProgram();
    ASSERT_TRUE (pumpUntil ([&] { return rig.engine().getEditBuffer()[17] == record[17]; }));
    rig.settle(); // the dump has been taken in
    rig.engine().dispatchPendingNotifications();
    pumpPending();

    const auto& controls = rig.main->getEditorPanel().getSurface().getControls();
    EXPECT_EQ (controls.size(), 57); // every parameter of sections 1..15
    for (auto* control : controls)
    {
        const auto p = control->getParameter();
        EXPECT_EQ (control->getDisplayText(), ValueFormat::formatValue (table.getDisplayFormat (p), record[(size_t) p])) << p;
        if (control->getKind() == ParTable::knob)
        {
            EXPECT_EQ (control->getFrame(), juce::roundToInt (60.0f * record[(size_t) p] / table.getMaximum (p))) << p;
        }
    }
}

TEST (FrontPanelProgram, TheDisplayShowsGroupBankAndProgramAndEnvelopesToggleBesideTheLogo)
{
    EditorRig rig;
    auto& display = rig.main->getEditorPanel().getSurface().getProgramDisplay();
    // program number: user group 2 index 13, then factory group 1 index 3
    const std::pair<int, std::array<int, 3>> programs[] = { { 53, { 2, 2, 6 } }, { 203, { 1, 1, 4 } } };
    for (const auto& [number, digits] : programs)
    {
        rig.engine().selectProgram (number, false, false);
        rig.main->handleEvents ({ StateEvent::editBufferChanged });
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ (display.getDigit (i), digits[(size_t) i]) << number;
    }

    auto& bar = rig.main->getEditBar();
    rig.editor->setSize (1000, 640);
    auto& button = bar.getEnvelopesButton();
    EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (100, 80, 86, 16));
    EXPECT_EQ (bar.getLogoBounds().getX(), 680);

    rig.main->stsButtonClicked (&button, EditBar::envelopesId);
    EXPECT_TRUE (bar.getEnvPanel().isVisible());
    EXPECT_EQ (bar.getEnvPanel().getBounds(), juce::Rectangle<int> (220, 4, 500, 100));
    EXPECT_EQ (bar.getLogoBounds().getX(), 720); // never under the graphs

    rig.main->stsButtonClicked (&button, EditBar::envelopesId);
    EXPECT_FALSE (bar.getEnvPanel().isVisible());
    EXPECT_EQ (bar.getLogoBounds().getX(), 680);
}

namespace
{
void pressProgrammerKey (MainComp& main, int k)
{
    auto& key = main.getEditorPanel().getSurface().getProgrammerKey (k);
    key.mouseDown (at (key, 5, 5));
    key.mouseUp (at (key, 5, 5));
}
}

TEST (FrontPanelProgrammer, ProgramKeySequencesSelectSendAndShowTheStoredProgram)
{
    constexpr int G = 4, B = 5, n1 = 6; // PanelLegend's order: number key n is n1 + n - 1
    struct Case
    {
        const char* what;
        std::vector<int> keys;
        int group, index;
    };
    const Case cases[] = {
        { "a number alone", { n1 + 4 }, 0, 4 },
        { "bank select, bank 4, program 1", { B, n1 + 3, n1 }, 0, 24 },
        { "group select, group 3, bank 2, program 7", { G, n1 + 2, n1 + 1, n1 + 6 }, 2, 14 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        EditorRig rig;
        auto& display = rig.main->getEditorPanel().getSurface().getProgramDisplay();
        for (const auto k : c.keys)
            pressProgrammerKey (*rig.main, k);
        rig.engine().dispatchPendingNotifications();
        pumpPending();

        // bank select with the group, then the program change, as the instrument's own keys ask
        const auto channel = (uint8_t) (rig.engine().getMidiChannel() - 1);
        EXPECT_EQ (heard (rig), (std::vector<Bytes> { { (uint8_t) (0xB0 | channel), 32, (uint8_t) c.group },
                                                      { (uint8_t) (0xC0 | channel), (uint8_t) c.index } }));
        EXPECT_EQ (rig.engine().getCurrentBank(), c.group);
        EXPECT_EQ (rig.engine().getCurrentProgram(), c.index);
        EXPECT_EQ (rig.engine().getEditBuffer(), rig.engine().getInstrumentBank (c.group).programRecord (c.index));
        EXPECT_EQ (display.getDigit (0), c.group % 5 + 1);
        EXPECT_EQ (display.getDigit (1), c.index / 8 + 1);
        EXPECT_EQ (display.getDigit (2), c.index % 8 + 1);
        EXPECT_EQ (display.getBlinking(), -1);
        EXPECT_TRUE (rig.main->getEditorPanel().getSurface().getProgrammerKey (n1 + c.index % 8).isLit());
    }
}

TEST (FrontPanelProgrammer, AnEntryPartWayBlinksTheDigitItWaitsForAndSendsNothing)
{
    EditorRig rig;
    auto& surface = rig.main->getEditorPanel().getSurface();
    auto& display = surface.getProgramDisplay();
    pressProgrammerKey (*rig.main, 4); // GROUP SELECT
    EXPECT_EQ (display.getBlinking(), 0);
    EXPECT_TRUE (surface.getProgrammerKey (4).isLit());
    pressProgrammerKey (*rig.main, 6 + 3); // group 4
    EXPECT_EQ (display.getDigit (0), 4);
    EXPECT_EQ (display.getBlinking(), 1);
    EXPECT_TRUE (surface.getProgrammerKey (5).isLit());
    pressProgrammerKey (*rig.main, 6 + 1); // bank 2
    EXPECT_EQ (display.getBlinking(), 2);
    EXPECT_EQ (display.getDigit (2), -1) << "the program digit waits dark";
    EXPECT_TRUE (heard (rig).empty());

    // GROUP SELECT again starts over; a program chosen elsewhere ends the entry
    pressProgrammerKey (*rig.main, 4);
    rig.engine().selectProgram (7 * 40 + 9, false, false);
    rig.engine().dispatchPendingNotifications();
    pumpPending();
    EXPECT_EQ (display.getBlinking(), -1);
    EXPECT_EQ (display.getDigit (0), 3);
    EXPECT_TRUE (surface.getProgrammerKey (2).isLit()) << "FACTORY lights for a factory program";
}

TEST (FrontPanelProgrammer, PresetRecordFactoryAndGlobalsOpenTheirPanels)
{
    EditorRig rig;
    if (rig.main->isAboutOpen())
        rig.main->toggleAbout (0);

    pressProgrammerKey (*rig.main, 0);
    EXPECT_TRUE (rig.main->isGroupManagerOpen()) << "PRESET";
    pressProgrammerKey (*rig.main, 0);
    EXPECT_FALSE (rig.main->isGroupManagerOpen());

    pressProgrammerKey (*rig.main, 1);
    EXPECT_NE (rig.main->getWritePanel(), nullptr) << "RECORD";
    rig.main->toggleWritePanel();

    rig.engine().selectProgram (2 * 40, false, false);
    rig.engine().dispatchPendingNotifications();
    pumpPending();
    pressProgrammerKey (*rig.main, 2);
    ASSERT_TRUE (rig.main->isGroupManagerOpen()) << "FACTORY";
    EXPECT_EQ (rig.main->getGroupManager().getGrid().getGroup(), 7) << "the factory group of the same number";
    rig.main->toggleGroupManager();

    pressProgrammerKey (*rig.main, 3);
    ASSERT_NE (rig.main->getMidiSetup(), nullptr) << "GLOBALS";
    EXPECT_NE (rig.main->getMidiSetup()->getGlobals(), nullptr);
    pumpPending();
}
