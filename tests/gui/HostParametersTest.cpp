#include "ProcessorRig.h"
#include "gui/MainComp.h"
#include "plugin/MorvexAudioProcessorEditor.h"

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations") // the legacy parameter interface

using Entry = HostRecorder::Entry;

TEST (HostParameters, NamesTextsAndValues)
{
    ProcessorRig rig;
    auto& p = *rig.processor;

    EXPECT_EQ (p.getNumParameters(), 59);
    EXPECT_EQ (p.getParameterName (0), "PROGRAM");
    EXPECT_EQ (p.getParameterName (40), "AFTCH  FILTER");
    EXPECT_EQ (p.getParameterName (58), "UNISON ASSIGN");

    for (int h : { 59, 60, 1000, -1 })
    {
        EXPECT_EQ (p.getParameterName (h), juce::String()) << h;
        EXPECT_EQ (p.getParameterText (h), juce::String()) << h;
        EXPECT_EQ (p.getParameter (h), 0.0f) << h;
        p.setParameter (h, 0.7f);
    }

    rig.engine().selectProgram (45, false, false);
    EXPECT_FLOAT_EQ (p.getParameter (0), 45.0f / 399.0f);
    EXPECT_EQ (p.getParameterText (0), "Disabled");
    rig.engine().setProgramChangeAutomation (true);
    EXPECT_EQ (p.getParameterText (0), "U: 2  1  6");

    auto record = ParTable::initialRecord();
    record[0] = 50;  record[2] = 75;  record[19] = 1;  record[53] = 6;  record[17] = 60; record[89] = 127;
    rig.engine().getPluginBank().setSingle (record);

    const struct { int h; const char* text; float value; } cases[] = {
        { 2, "C#2", 50.0f / 120.0f }, { 4, "15", 75.0f / 120.0f }, { 21, "HALF", 0.5f },
        { 55, "Chord", 1.0f },        { 19, "60", 0.5f },          { 1, "127", 1.0f },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ (p.getParameterText (c.h), c.text) << c.h;
        EXPECT_FLOAT_EQ (p.getParameter (c.h), c.value) << c.h;
    }
}

TEST (HostParameters, AutomationReachesTheInstrumentOnce)
{
    ProcessorRig rig;
    auto& p = *rig.processor;
    rig.events();
    rig.instrument->clearLog();

    p.setParameter (19, 0.5f);
    EXPECT_EQ (rig.engine().getEditBuffer()[17], 60);
    EXPECT_EQ (rig.events(), (std::vector<int32_t> { StateEvent::parameterChanged (17, 60) }));
    EXPECT_EQ (rig.wire (4), (std::vector<Bytes> { { 0xB0, 0x63, 0x00 }, { 0xB0, 0x62, 0x11 }, { 0xB0, 0x06, 0x00 }, { 0xB0, 0x26, 0x3C } }));

    p.setParameter (19, 0.5f);
    EXPECT_TRUE (rig.events().empty());
    EXPECT_EQ (rig.wire (4).size(), 4u);

    // A half goes to the even neighbour: FILTER KEYBOARD (0..2) at 0.25 is 0.5 → 0, at 0.75 is 1.5 → 2.
    p.setParameter (21, 0.75f);
    EXPECT_EQ (rig.engine().getEditBuffer()[19], 2);
    p.setParameter (21, 0.25f);
    EXPECT_EQ (rig.engine().getEditBuffer()[19], 0);
    p.setParameter (19, 7.0f); // a host out of range: the top
    EXPECT_EQ (rig.engine().getEditBuffer()[17], 120);
}

TEST (HostParameters, TheProgramSelectorFollowsProgramChangeAutomation)
{
    ProcessorRig rig;
    auto& p = *rig.processor;
    rig.instrument->clearLog();
    rig.events();

    p.setParameter (0, 0.5f);
    EXPECT_EQ (rig.engine().getCurrentBank(), 0);
    EXPECT_EQ (rig.engine().getCurrentProgram(), 0);
    EXPECT_TRUE (rig.events().empty());

    rig.engine().setProgramChangeAutomation (true);
    p.setParameter (0, 0.5f);
    EXPECT_EQ (rig.engine().getCurrentBank(), 5);
    EXPECT_EQ (rig.engine().getCurrentProgram(), 0);
    EXPECT_EQ (p.getParameterText (0), "F:1  1  1");
    EXPECT_EQ (rig.engine().getEditBuffer(), rig.engine().getInstrumentBank (5).programRecord (0));
    EXPECT_EQ (rig.wire (2), (std::vector<Bytes> { { 0xB0, 0x20, 0x05 }, { 0xC0, 0x00 } }));
}

TEST (HostParameters, ARunOfPanelEditsIsOneGesture)
{
    ProcessorRig rig;
    auto& p = *rig.processor;
    HostRecorder host;
    p.addListener (&host);

    for (int v : { 10, 11, 12, 13 })
    {
        rig.engine().getPluginBank().setSingleByte (17, (uint8_t) v); // the control writes first
        rig.engine().paramEdited (17, v);
        pumpPending();
    }

    EXPECT_TRUE (p.isGestureOpen (19));
    std::vector<Entry> expected { { 'b', 19, 0 } };
    for (int v : { 10, 11, 12, 13 })
        expected.push_back ({ 'v', 19, (float) v / 120.0f });
    EXPECT_EQ (host.entries(), expected);

    ASSERT_TRUE (pumpUntil ([&] { return ! p.isGestureOpen (19); }, 1000));
    expected.push_back ({ 'e', 19, 0 });
    EXPECT_EQ (host.entries(), expected);
    p.removeListener (&host);
}

TEST (HostParameters, AnEditOnTheInstrumentReachesTheHost)
{
    ProcessorRig rig;
    auto& p = *rig.processor;
    HostRecorder host;
    p.addListener (&host);
    rig.events();
    rig.instrument->clearLog();

    rig.instrument->turnKnob (17, 77);
    ASSERT_TRUE (pumpUntil ([&] { return rig.engine().getEditBuffer()[17] == 77; }));

    EXPECT_EQ (host.entries(), (std::vector<Entry> { { 'b', 19, 0 }, { 'v', 19, 77.0f / 120.0f } }));
    EXPECT_EQ (rig.events(), (std::vector<int32_t> { StateEvent::parameterChanged (17, 77) }));
    EXPECT_EQ (rig.wire (4).back(), (Bytes { 0xB0, 0x26, 77 })) << "the value goes back to the instrument";

    ASSERT_TRUE (pumpUntil ([&] { return ! p.isGestureOpen (19); }, 1000));

    // The instrument's own range reaches past the panel's: kept, and the host hears its top.
    host.clear();
    rig.instrument->turnKnob (17, 127);
    ASSERT_TRUE (pumpUntil ([&] { return rig.engine().getEditBuffer()[17] == 127; }));
    EXPECT_EQ (host.entries().at (1), (Entry { 'v', 19, 1.0f }));
    ASSERT_TRUE (pumpUntil ([&] { return ! p.isGestureOpen (19); }, 1000));

    // A program selection on the instrument, with program-change automation on: a gesture that
    // begins and ends at once. The new program's other values reach the host as plain reports.
    host.clear();
    rig.engine().setProgramChangeAutomation (true);
    rig.instrument->sendToSystem ({ 0xB0, 32, 2 });
    rig.instrument->sendToSystem ({ 0xC0, 3 });
    const auto ended = [&] { for (const auto& e : host.entries()) if (e.kind == 'e') return true; return false; };
    ASSERT_TRUE (pumpUntil (ended));
    const auto entries = host.entries();
    const auto begin = std::find (entries.begin(), entries.end(), Entry { 'b', 0, 0 });
    ASSERT_NE (begin, entries.end());
    ASSERT_GE (std::distance (begin, entries.end()), 3);
    EXPECT_EQ (std::vector<Entry> (begin, begin + 3), (std::vector<Entry> { { 'b', 0, 0 }, { 'v', 0, 83.0f / 399.0f }, { 'e', 0, 0 } }));
    for (auto e = entries.begin(); e != entries.end(); ++e)
    {
        if (e < begin || e >= begin + 3)
        {
            EXPECT_EQ (e->kind, 'v') << *e;
        }
    }
    EXPECT_FALSE (p.isGestureOpen (0));
    p.removeListener (&host);
}

TEST (HostParameters, ClosingThePlugInEndsOpenGestures)
{
    ProcessorRig rig;
    HostRecorder host;
    rig.processor->addListener (&host);
    rig.engine().paramEdited (52, 1);
    EXPECT_TRUE (rig.processor->isGestureOpen (54));

    rig.processor.reset();
    ASSERT_FALSE (host.entries().empty());
    EXPECT_EQ (host.entries().back(), (Entry { 'e', 54, 0 }));
}

TEST (HostParameters, AValueAboveTheMaximumHandedBackUnchangedIsNoEdit)
{
    ProcessorRig rig;
    auto& p = *rig.processor;
    auto& table = rig.engine().getParTable();
    heard (rig);
    rig.instrument->clearLog();
    rig.events();

    // The initial program holds 127 in parameters the panel takes only to 120.
    for (const int stored : { 127, 121, 120, 0 })
    {
        rig.engine().getPluginBank().setSingleByte (17, (uint8_t) stored);
        const auto h = table.getHostOfParam (17);
        p.setParameter (h, p.getParameter (h));
        EXPECT_EQ (rig.engine().getEditBuffer()[17], stored);
        EXPECT_TRUE (rig.events().empty()) << stored;
    }
    EXPECT_TRUE (heard (rig).empty());

    // A real move still is one.
    p.setParameter (table.getHostOfParam (17), 0.5f);
    EXPECT_EQ (rig.engine().getEditBuffer()[17], 60);
}

TEST (HostParameters, ThePanelNeverEndsOlderThanTheEditBufferAfterAutomationFloodedTheQueue)
{
    ProcessorRig rig (false);
    auto& p = *rig.processor;
    auto& engine = rig.engine();
    const auto automate = [&] (int steps) { for (int i = 0; i < steps; ++i) p.setParameter (19, (float) (i % 121) / 120.0f); };
    const auto panelEvents = [&] (MainComp& main)
    {
        // What the editor's update does with the queue, at once rather than on its next tick.
        std::vector<int32_t> codes;
        engine.drainEvents (codes);
        main.handleEvents (codes);
    };

    // No editor: nothing drains the queue while the host automates for minutes.
    automate (5000);
    std::unique_ptr<juce::AudioProcessorEditor> editor (p.createEditor());
    auto& main = *dynamic_cast<MorvexAudioProcessorEditor&> (*editor).getMainComp();
    const auto& cutoff = *main.getEditorPanel().getSurface().getControl (17);
    panelEvents (main);
    EXPECT_EQ (cutoff.getValue(), 38);
    EXPECT_EQ (engine.getEditBuffer()[17], 38);

    // An editor that could not keep up: what was lost is made good from the edit buffer.
    p.setParameter (19, 1.0f);
    automate (5000);
    panelEvents (main);
    EXPECT_EQ (cutoff.getValue(), 38);
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
