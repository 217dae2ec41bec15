#include "EditorRig.h"
#include "model/DSI_Program.h"

#include <thread>

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations") // the legacy parameter interface

namespace
{
/** The edit-buffer dumps among what the instrument heard, unpacked. */
std::vector<ProgramSysex::Record> dumpsHeard (ProcessorRig& rig)
{
    std::vector<ProgramSysex::Record> records;
    for (const auto& m : heard (rig))
        if (m.size() == (size_t) ProgramSysex::editBufferDumpSize && m[3] == ProgramSysex::editBufferDumpCommand)
        {
            DSI_Program program;
            program.unpack (m.data() + ProgramSysex::editBufferDumpPayload, (size_t) ProgramSysex::packedSize);
            records.push_back (program.getData());
        }
    return records;
}

/** A processor on the simulated instrument whose keeping in step is driven by the test's clock. */
struct SyncRig : ProcessorRig
{
    explicit SyncRig (bool connect = true) : ProcessorRig (connect)
    {
        sync().setPolling (false);
        instrument->clearLog();
        events();
    }

    InstrumentSync& sync() { return engine().getInstrumentSync(); }

    /** Lets `ms` pass on the sync's clock. */
    void after (double ms)
    {
        now += ms;
        sync().poll (now);
    }

    /** The sync sees the restore, and the host's restoring is over. */
    void settle()
    {
        after (0);
        after (InstrumentSync::recallSettleMs);
    }

    std::vector<ProgramSysex::Record> dumps() { return dumpsHeard (*this); }

    bool heardEditBufferRequest()
    {
        const auto all = heard (*this);
        return std::find (all.begin(), all.end(), Bytes { 0xF0, 0x01, 0x32, 0x06, 0xF7 }) != all.end();
    }

    double now = juce::Time::getMillisecondCounterHiRes();
};

juce::MemoryBlock editedState (int preset, int cutoff)
{
    ProcessorRig source (false);
    source.processor->setCurrentProgram (preset);
    source.processor->setParameter (19, (float) cutoff / 120.0f);
    juce::MemoryBlock chunk;
    source.processor->getStateInformation (chunk);
    return chunk;
}
}

TEST (InstrumentSync, AProjectsSoundGoesToTheInstrumentOnceTheHostHasFinishedRestoring)
{
    const auto chunk = editedState (4, 33);

    SyncRig rig;
    auto& p = *rig.processor;

    // Hosts restore more than once while a project opens: one dump, after the last of them.
    for (int i = 0; i < 3; ++i)
    {
        p.setStateInformation (chunk.getData(), (int) chunk.getSize());
        rig.after (100);
    }
    EXPECT_TRUE (rig.dumps().empty()) << "nothing while the host is still restoring";

    rig.after (InstrumentSync::recallSettleMs);
    rig.after (1000);
    const auto dumps = rig.dumps();
    ASSERT_EQ (dumps.size(), 1u);
    EXPECT_EQ (dumps[0], rig.engine().getEditBuffer());
    EXPECT_EQ (dumps[0][17], 33);
    EXPECT_FALSE (rig.sync().isRecallSettling());
    EXPECT_EQ (rig.instrument->getEditBuffer(), rig.engine().getEditBuffer());
}

TEST (InstrumentSync, NoRecallIsSentWithTheOptionOffOrTheOutputClosed)
{
    const auto chunk = editedState (4, 33);

    for (const auto closed : { false, true })
    {
        SCOPED_TRACE (closed ? "output closed" : "option off");
        SyncRig rig;
        if (closed)
            rig.engine().selectOutputPort (0);
        else
            rig.engine().setSendProgramOnLoad (false);

        rig.processor->setStateInformation (chunk.getData(), (int) chunk.getSize());
        rig.settle();
        rig.after (1000);

        if (closed)
            rig.engine().selectOutputPort (1); // open again, to hear that nothing was sent
        EXPECT_TRUE (rig.dumps().empty());
    }
}

TEST (InstrumentSync, AProgramChosenAsAWholeGoesToTheInstrumentOnceWithTheOptionOn)
{
    struct Case
    {
        const char* what;
        std::function<void (SyncRig&)> replace;
    };

    const auto stored = [] (uint8_t cutoff)
    {
        auto record = ParTable::initialRecord();
        record[17] = cutoff;
        return ProgramSysex::Record (record);
    };

    const Case cases[] = {
        { "host preset", [] (SyncRig& r) { r.processor->setCurrentProgram (7); } },
        { "loaded file", [&] (SyncRig& r) { r.engine().storeProgram (false, 0, 0, stored (21)); } },
        { "library entry", [&] (SyncRig& r)
          {
              juce::MemoryOutputStream chunk;
              chunk.write ("Ph_5MorvexSettingsVersion100", 28);
              const auto record = stored (22);
              chunk.write (record.data(), record.size());
              r.processor->setCurrentProgramStateInformation (chunk.getData(), (int) chunk.getDataSize());
          } },
    };

    for (const auto on : { true, false })
        for (const auto& c : cases)
        {
            SCOPED_TRACE (juce::String (c.what) + (on ? ", option on" : ", option off"));
            SyncRig rig;
            rig.engine().setSendProgramChanges (on);
            c.replace (rig);
            rig.after (0);
            rig.after (1000);

            const auto dumps = rig.dumps();
            ASSERT_EQ (dumps.size(), on ? 1u : 0u);
            if (on)
            {
                EXPECT_EQ (dumps[0], rig.engine().getEditBuffer());
            }
        }
}

TEST (InstrumentSync, APastedProgramGoesOnceAndACopyItSentItselfGoesNoMore)
{
    for (const auto on : { true, false })
    {
        SCOPED_TRACE (on ? "option on" : "option off");
        EditorRig rig;
        auto& sync = rig.engine().getInstrumentSync();
        sync.setPolling (false);
        rig.engine().setSendProgramChanges (on);

        // Copy sends the program itself, as the SEND command does.
        rig.main->editMenuChosen (1);
        const auto copied = rig.engine().getEditBuffer();
        rig.processor->setCurrentProgram (5);
        const auto now = juce::Time::getMillisecondCounterHiRes() + 1000.0;
        sync.poll (now);
        heard (rig); // all of that has arrived
        rig.instrument->clearLog();

        rig.main->editMenuChosen (2);
        EXPECT_EQ (rig.engine().getEditBuffer(), copied);
        sync.poll (now + 10.0);
        sync.poll (now + 1000.0);

        const auto dumps = dumpsHeard (rig);
        ASSERT_EQ (dumps.size(), on ? 1u : 0u);
        if (on)
        {
            EXPECT_EQ (dumps[0], copied);
        }
    }
}

TEST (InstrumentSync, ThePluginsResetInTheStandaloneAppGoesToTheInstrument)
{
    // The app makes its processor at start, and a new one for "Reset to default state".
    juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Standalone);
    { SyncRig start; }
    juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Standalone);
    SyncRig reset;
    juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined);

    reset.after (0);
    const auto dumps = reset.dumps();
    ASSERT_EQ (dumps.size(), 1u);
    EXPECT_EQ (dumps[0], reset.engine().getEditBuffer());
}

TEST (InstrumentSync, WhatTheInstrumentSentIsNeverSentBack)
{
    SyncRig rig;
    auto record = ParTable::initialRecord();
    record[17] = 99;
    rig.instrument->setEditBuffer (record);

    // The user picks a preset, and before it goes out the instrument's own program arrives.
    rig.processor->setCurrentProgram (2);
    const auto count = rig.sync().replacementCount();
    rig.engine().sendRequest (MidiCntrState::editBufferRequest, 0, 0);
    ASSERT_TRUE (pumpUntil ([&] { return rig.sync().replacementCount() > count; }));
    EXPECT_EQ (rig.engine().getEditBuffer()[17], 99);

    rig.after (0);
    rig.after (1000);
    EXPECT_TRUE (rig.dumps().empty());
    EXPECT_EQ (rig.instrument->getEditBuffer()[17], 99);

    // A program change from the instrument, too.
    rig.instrument->sendToSystem ({ 0xC0, 0x05 });
    ASSERT_TRUE (pumpUntil ([&] { return rig.engine().getCurrentProgram() == 5; }));
    rig.after (1000);
    EXPECT_TRUE (rig.dumps().empty());
}

TEST (InstrumentSync, GoingOnLineAsksForTheInstrumentsProgramUnlessARecallWaits)
{
    // A new instance: the panel starts from what the instrument plays.
    {
        SyncRig rig;
        auto record = ParTable::initialRecord();
        record[17] = 101;
        rig.instrument->setEditBuffer (record);

        rig.engine().requestGlobals();
        ASSERT_TRUE (pumpUntil ([&] { return rig.engine().isOnline(); }));
        const auto count = rig.sync().replacementCount();
        rig.after (0);
        ASSERT_TRUE (rig.heardEditBufferRequest());
        ASSERT_TRUE (pumpUntil ([&] { return rig.sync().replacementCount() > count; }));
        EXPECT_EQ (rig.engine().getEditBuffer()[17], 101);

        // Asking again while in contact (every change in the MIDI setup does) asks no program.
        rig.instrument->clearLog();
        rig.engine().requestGlobals();
        ASSERT_TRUE (pumpUntil ([&] { return rig.engine().isOnline(); }));
        rig.after (0);
        EXPECT_FALSE (rig.heardEditBufferRequest());
    }

    // A sound of the user's own on the panel is not wiped out by the instrument's.
    {
        SyncRig rig;
        rig.processor->setParameter (19, 0.25f);
        rig.engine().requestGlobals();
        ASSERT_TRUE (pumpUntil ([&] { return rig.engine().isOnline(); }));
        rig.after (0);
        EXPECT_FALSE (rig.heardEditBufferRequest());
        EXPECT_EQ (rig.engine().getEditBuffer()[17], 30);
    }

    // A project opened before the instrument answered: its sound goes again, nothing is asked.
    {
        const auto chunk = editedState (4, 33);
        SyncRig rig;
        rig.processor->setStateInformation (chunk.getData(), (int) chunk.getSize());
        rig.settle();
        ASSERT_EQ (rig.dumps().size(), 1u);
        EXPECT_TRUE (rig.sync().isRecallWaiting()) << "no instrument has answered yet";

        rig.instrument->clearLog();
        rig.engine().requestGlobals();
        ASSERT_TRUE (pumpUntil ([&] { return rig.engine().isOnline(); }));
        rig.after (0);
        const auto dumps = rig.dumps();
        ASSERT_EQ (dumps.size(), 1u);
        EXPECT_EQ (dumps[0][17], 33);
        EXPECT_FALSE (rig.heardEditBufferRequest());
        EXPECT_FALSE (rig.sync().isRecallWaiting());
        EXPECT_EQ (rig.engine().getEditBuffer()[17], 33);
    }
}

TEST (InstrumentSync, TheHostHearsTheNewValuesWithoutGestures)
{
    SyncRig rig;
    auto& p = *rig.processor;
    HostRecorder host;
    p.addListener (&host);

    const auto expectValuesOnly = [&] (const char* what, const std::vector<int>& hosts)
    {
        SCOPED_TRACE (what);
        const auto entries = host.entries();
        for (const auto& e : entries)
            EXPECT_EQ (e.kind, 'v') << e;
        for (const auto h : hosts)
            EXPECT_NE (std::find_if (entries.begin(), entries.end(), [&] (const HostRecorder::Entry& e) { return e.index == h && e.value == p.getParameter (h); }),
                       entries.end()) << "host parameter " << h;
        host.clear();
    };

    // A preset chosen by the host: told at once. FILTER CUTOFF (19) and VOLUME (1) differ between
    // the initial program and "Poly Brass".
    ASSERT_NE (p.getParameter (19), (float) rig.engine().getPluginBank().programRecord (0)[17] / 120.0f);
    p.setCurrentProgram (0);
    expectValuesOnly ("host preset", { 19 });

    // A program from the instrument: told from the message thread's next poll.
    auto record = ParTable::initialRecord();
    record[17] = 5;
    rig.instrument->setEditBuffer (record);
    const auto count = rig.sync().replacementCount();
    rig.engine().sendRequest (MidiCntrState::editBufferRequest, 0, 0);
    ASSERT_TRUE (pumpUntil ([&] { return rig.sync().replacementCount() > count; }));
    rig.after (0);
    expectValuesOnly ("instrument's program", { 19 });

    // Nothing new, nothing told.
    rig.after (0);
    p.setCurrentProgram (0);
    p.setCurrentProgram (0);
    host.clear();
    p.setCurrentProgram (0);
    EXPECT_TRUE (host.entries().empty());

    p.removeListener (&host);
}

TEST (InstrumentSync, PollsOnlyOnceTheInstanceIsUsedAndThenCatchesUpOnWhatWasReplaced)
{
    // A host scanning its plug-ins makes, asks and closes an instance: nothing for it to poll.
    const auto project = editedState (2, 30);
    const struct { const char* what; std::function<void (ProcessorRig&)> use; bool polls; } cases[] = {
        { "nothing", [] (ProcessorRig&) {}, false },
        { "names asked", [] (ProcessorRig& r) { r.processor->getProgramName (3); r.processor->getParameterName (5); }, false },
        { "audio", [] (ProcessorRig& r) { r.processor->prepareToPlay (48000.0, 512); }, true },
        { "an editor", [] (ProcessorRig& r) { std::unique_ptr<juce::AudioProcessorEditor> (r.processor->createEditor()); }, true },
        { "a project", [&] (ProcessorRig& r) { r.processor->setStateInformation (project.getData(), (int) project.getSize()); }, true },
        { "a port", [] (ProcessorRig& r) { r.engine().selectOutputPort (1); }, true },
        { "a preset on the message thread", [] (ProcessorRig& r) { r.processor->setCurrentProgram (4); }, true },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        ProcessorRig rig (false);
        EXPECT_FALSE (rig.engine().getInstrumentSync().isPolling());
        c.use (rig);
        EXPECT_EQ (rig.engine().getInstrumentSync().isPolling(), c.polls);
        pumpPending();
    }

    // A preset a host chose from a thread of its own before any use is told to the host once the
    // polling starts.
    ProcessorRig rig (false);
    auto& p = *rig.processor;
    HostRecorder host;
    p.addListener (&host);
    std::thread ([&] { p.setCurrentProgram (5); }).join();
    EXPECT_FALSE (rig.engine().getInstrumentSync().isPolling());
    p.prepareToPlay (48000.0, 512);
    EXPECT_TRUE (pumpUntil ([&] { return ! host.entries().empty(); }));
    p.removeListener (&host);
}
