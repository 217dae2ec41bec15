#include "support/EngineTestSupport.h"
#include "groups/FactoryData.h"
#include "model/DSI_Program.h"

#include <map>

#include <thread>

namespace
{
void feed (MidiCntrState& engine, const Bytes& bytes)
{
    engine.handleIncomingMidiMessage (nullptr, juce::MidiMessage (bytes.data(), (int) bytes.size()));
}

std::vector<int32_t> events (MidiCntrState& engine)
{
    std::vector<int32_t> out;
    engine.drainEvents (out);
    return out;
}

std::vector<std::pair<int, int>> hostParams (MidiCntrState& engine)
{
    std::vector<MidiCntrState::HostParam> raw;
    engine.drainHostParams (raw);
    std::vector<std::pair<int, int>> out;
    for (const auto& p : raw)
        out.emplace_back (p.parameter, p.value);
    return out;
}

int toHostCount (MidiCntrState& engine)
{
    const juce::ScopedLock sl (engine.getEngineLock());
    return engine.getToHostBuffer().getNumEvents();
}

ProgramSysex::Record markedRecord (uint8_t mark)
{
    auto record = ParTable::initialRecord();
    record[13] = mark;
    return record;
}

using E = std::vector<int32_t>;
using P = std::vector<std::pair<int, int>>;
}

TEST (InputDispatch, MessagesFromTheInstrument)
{
    EngineRig rig;
    auto& engine = rig.start();
    engine.getInstrumentBank (3).storeProgram (5, markedRecord (35));
    const auto dump159 = ProgramSysex::programDump (2, 7, markedRecord (27));
    const Bytes dump158 (dump159.begin(), dump159.end() - 1);
    const auto edit = ProgramSysex::editBufferDump (markedRecord (99));

    const struct
    {
        const char* what;
        bool thru;
        std::vector<Bytes> input;
        E events;
        P params;
        int toHost;
    } cases[] = {
        { "volume controller", false, { { 0xB0, 7, 100 } }, {}, { { 89, 100 } }, 0 },
        { "NRPN from the instrument", false, { { 0xB0, 99, 0 }, { 0xB0, 98, 17 }, { 0xB0, 6, 0 }, { 0xB0, 38, 64 } }, {}, { { 17, 64 } }, 0 },
        { "NRPN 0 is parameter 0", false, { { 0xB0, 99, 0 }, { 0xB0, 98, 0 }, { 0xB0, 6, 0 }, { 0xB0, 38, 9 } }, {}, { { 0, 9 } }, 0 },
        { "NRPN 100 names nothing", false, { { 0xB0, 99, 0 }, { 0xB0, 98, 100 }, { 0xB0, 6, 0 }, { 0xB0, 38, 9 } }, {}, {}, 0 },
        { "global NRPN names nothing", false, { { 0xB0, 99, 8 }, { 0xB0, 98, 3 }, { 0xB0, 6, 0 }, { 0xB0, 38, 2 } }, {}, {}, 0 },
        { "modulation wheel", false, { { 0xB4, 1, 70 } }, { StateEvent::controller (5, 1, 70) }, {}, 0 },
        { "other controllers", false, { { 0xB0, 74, 70 } }, {}, {}, 0 },
        { "notes", false, { { 0x90, 60, 100 }, { 0x90, 60, 0 }, { 0x80, 61, 40 } },
          { StateEvent::noteOn (1, 60, 100), StateEvent::noteOff (1, 60), StateEvent::noteOff (1, 61) }, {}, 0 },
        { "pitch wheel", false, { { 0xE1, 0x05, 0x40 } }, { StateEvent::pitchWheel (2, 0x40, 0x05) }, {}, 0 },
        { "thru: a note goes to the host, no event", true, { { 0x90, 60, 100 } }, {}, {}, 1 },
        { "thru: NRPN held back and acted on", true, { { 0xB0, 99, 0 }, { 0xB0, 98, 21 }, { 0xB0, 6, 0 }, { 0xB0, 38, 3 } }, {}, { { 21, 3 } }, 0 },
        { "thru: bank 3 then program 5", true, { { 0xB0, 32, 3 }, { 0xC0, 5 } }, { StateEvent::editBufferChanged }, {}, 2 },
        { "thru: a dump is held back", true, { edit }, { StateEvent::editBufferChanged, StateEvent::editBufferReceived }, {}, 0 },
        { "program dump of 158 bytes", false, { dump158 }, {}, {}, 0 },
        { "program dump of 159 bytes", false, { dump159 }, { StateEvent::mirrorChanged, StateEvent::editBufferChanged }, {}, 0 },
        { "SysEx in two pieces", false, { Bytes (edit.begin(), edit.begin() + 60), Bytes (edit.begin() + 60, edit.end()) },
          { StateEvent::editBufferChanged, StateEvent::editBufferReceived }, {}, 0 },
        { "clock inside a SysEx", false, { Bytes (edit.begin(), edit.begin() + 60), Bytes { 0xF8 }, Bytes (edit.begin() + 60, edit.end()) },
          { StateEvent::editBufferChanged, StateEvent::editBufferReceived }, {}, 0 },
        { "identity reply", false, { { 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x01, 0x32, 0xF7 } }, {}, {}, 0 },
        { "a piece without a start", false, { Bytes (edit.begin() + 60, edit.end()) }, {}, {}, 0 },
    };

    for (const auto& c : cases)
    {
        engine.setInThru (c.thru);
        { const juce::ScopedLock sl (engine.getEngineLock()); engine.getToHostBuffer().clear(); }

        for (const auto& m : c.input)
            feed (engine, m);

        EXPECT_EQ (events (engine), c.events) << c.what;
        EXPECT_EQ (hostParams (engine), c.params) << c.what;
        EXPECT_EQ (toHostCount (engine), c.toHost) << c.what;
    }

    // What the cases above left behind.
    EXPECT_EQ (engine.getCurrentBank(), 2);
    EXPECT_EQ (engine.getCurrentProgram(), 7);
    EXPECT_EQ (engine.getInstrumentBank (2).programRecord (7)[13], 27);
    EXPECT_EQ (engine.getEditBuffer()[13], 99);
}

TEST (InputDispatch, ProgramChangesSelectFromTheMirror)
{
    EngineRig rig;
    auto& engine = rig.start();
    engine.getInstrumentBank (3).storeProgram (5, markedRecord (35));
    engine.setProgramChangeAutomation (true);

    feed (engine, { 0xB0, 32, 3 });
    feed (engine, { 0xC0, 5 });
    EXPECT_EQ (engine.getCurrentBank(), 3);
    EXPECT_EQ (engine.getCurrentProgram(), 5);
    EXPECT_EQ (engine.getEditBuffer()[13], 35);
    EXPECT_EQ (events (engine), (E { StateEvent::editBufferChanged }));
    EXPECT_EQ (hostParams (engine), (P { { 100, 125 } }));

    // The same program again changes nothing.
    feed (engine, { 0xC0, 5 });
    EXPECT_TRUE (events (engine).empty());
}

TEST (BankSelect, WaitsForTheProgramChangeOnBothPathsAndIgnoresGroupsTheInstrumentLacks)
{
    enum Path { fromInstrument, fromHost };
    const struct
    {
        const char* what;
        int loadedBefore;
        std::vector<Bytes> messages;
        int loadedAfter; // -1: nothing changes, nothing is sent
    } cases[] = {
        { "same number, other bank", 0, { { 0xB0, 32, 1 }, { 0xC0, 0 } }, 40 },
        { "bank and program", 0, { { 0xB0, 32, 3 }, { 0xC0, 5 } }, 125 },
        { "program alone stays in the group", 83, { { 0xC0, 9 } }, 89 },
        { "the program already loaded", 83, { { 0xB0, 32, 2 }, { 0xC0, 3 } }, -1 },
        { "a bank select alone", 83, { { 0xB0, 32, 4 } }, -1 },
        { "bank 12 is no group of the instrument", 0, { { 0xB0, 32, 12 }, { 0xC0, 0 } }, -1 },
        { "bank 10 neither, the group stays", 45, { { 0xB0, 32, 10 }, { 0xC0, 7 } }, 47 },
        { "program 50 of the last group", 360, { { 0xB0, 32, 9 }, { 0xC0, 50 } }, -1 },
    };

    for (const auto path : { fromInstrument, fromHost })
    {
        EngineRig rig;
        auto& engine = rig.startConnected();
        rig.instrument->setSilent (true);
        for (int index = 0; index < 400; ++index)
            engine.getInstrumentBank (index / 40).storeProgram (index % 40, markedRecord ((uint8_t) (index % 128)));

        for (const auto& c : cases)
        {
            const auto what = juce::String (path == fromHost ? "host: " : "instrument: ") + c.what;
            engine.selectProgram (c.loadedBefore, false, false);
            events (engine);
            rig.instrument->clearLog();

            juce::MidiBuffer host;
            for (const auto& m : c.messages)
            {
                if (path == fromInstrument)
                    feed (engine, m);
                else
                    host.addEvent (m.data(), (int) m.size(), 0);
            }
            engine.handleHostMidi (host, 512, 48000);

            const auto expected = c.loadedAfter < 0 ? c.loadedBefore : c.loadedAfter;
            EXPECT_EQ (engine.loadedProgramIndex(), expected) << what;
            EXPECT_EQ (engine.getEditBuffer()[13], expected % 128) << what;
            EXPECT_EQ (events (engine), c.loadedAfter < 0 ? E {} : E { StateEvent::editBufferChanged }) << what;

            // The host's selections go on to the instrument; the instrument's own are not echoed.
            engine.sendController (16, 85, 0);
            ASSERT_TRUE (rig.instrument->waitForDeliveries (1, 2000));
            auto heard = deliveredBytes (*rig.instrument);
            while (heard.back() != Bytes { 0xBF, 85, 0 })
            {
                ASSERT_TRUE (rig.instrument->waitForDeliveries (heard.size() + 1, 2000));
                heard = deliveredBytes (*rig.instrument);
            }
            heard.pop_back();
            const auto sent = path == fromHost && c.loadedAfter >= 0
                                ? std::vector<Bytes> { { 0xB0, 32, (uint8_t) (c.loadedAfter / 40) }, { 0xC0, (uint8_t) (c.loadedAfter % 40) } }
                                : std::vector<Bytes> {};
            EXPECT_EQ (heard, sent) << what;
        }
    }
}

TEST (InputDispatch, AnEndlessSysExIsDropped)
{
    EngineRig rig;
    auto& engine = rig.start();
    Bytes chunk (1000, 0x11);
    chunk[0] = 0xF0;
    feed (engine, chunk);
    chunk[0] = 0x11;
    for (int i = 0; i < 200; ++i)
        feed (engine, chunk);

    // The instrument's next message is still understood.
    feed (engine, ProgramSysex::editBufferDump (markedRecord (5)));
    EXPECT_EQ (events (engine), (E { StateEvent::editBufferChanged, StateEvent::editBufferReceived }));
    EXPECT_EQ (engine.getEditBuffer()[13], 5);
}

TEST (HostMidi, EditorInputAndThru)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    engine.setSampleRate (48000);
    engine.setLatency (0, { 0, 50, 0, 0, 0, 0, 0 });
    engine.getInstrumentBank (1).storeProgram (4, markedRecord (14));
    rig.instrument->clearLog();
    events (engine);

    juce::MidiBuffer host;
    host.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 0);
    host.addEvent (juce::MidiMessage::noteOn (1, 62, (juce::uint8) 100), 10);
    host.addEvent (juce::MidiMessage::controllerEvent (1, 74, 20), 20);
    host.addEvent (juce::MidiMessage::controllerEvent (1, 32, 1), 30);
    host.addEvent (juce::MidiMessage::programChange (1, 4), 40);
    host.addEvent (juce::MidiMessage::programChange (1, 4), 50);

    const auto start = juce::Time::getMillisecondCounterHiRes();
    engine.handleHostMidi (host, 512, 48000);
    EXPECT_TRUE (host.isEmpty());

    // The bank select waits for the program change: one selection, of bank 1 program 4.
    EXPECT_EQ (events (engine), (E { StateEvent::noteOn (1, 60, 100), StateEvent::noteOn (1, 62, 100),
                                     StateEvent::controller (1, 74, 20), StateEvent::editBufferChanged }));
    EXPECT_EQ (engine.getCurrentBank(), 1);
    EXPECT_EQ (engine.getCurrentProgram(), 4);
    EXPECT_EQ (engine.getEditBuffer()[13], 14);

    // Thru: the notes and controller 74 (not 32, not program changes), all late by the delay,
    // the first included; the selection as the engine's own bank select and program change, in
    // the program change's place.
    ASSERT_TRUE (rig.instrument->waitForDeliveries (5, 2000));
    const auto got = rig.instrument->deliveries();
    std::vector<Bytes> order;
    for (const auto& d : got)
        order.push_back (d.bytes);
    EXPECT_EQ (order, (std::vector<Bytes> { { 0x90, 60, 100 }, { 0x90, 62, 100 }, { 0xB0, 74, 20 }, { 0xB0, 32, 1 }, { 0xC0, 4 } }));
    EXPECT_GE (got[0].time - start, 49.0) << "position 0 waits for the delay too";
}

TEST (HostMidi, DelayedThruKeepsTheHostsOrderAcrossBlocks)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    rig.instrument->setSilent (true);
    engine.setSampleRate (48000);
    engine.setLatency (0, { 0, 50, 0, 0, 0, 0, 0 });
    rig.instrument->clearLog();

    // A note on late in one block, its note off at the very start of the next.
    juce::MidiBuffer first, second;
    first.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 400);
    second.addEvent (juce::MidiMessage::noteOff (1, 60), 0);
    const auto start = juce::Time::getMillisecondCounterHiRes();
    engine.handleHostMidi (first, 512, 48000);
    engine.handleHostMidi (second, 512, 48000);

    ASSERT_TRUE (rig.instrument->waitForDeliveries (2, 2000));
    const auto got = rig.instrument->deliveries();
    EXPECT_EQ (got[0].bytes, (Bytes { 0x90, 60, 100 }));
    EXPECT_EQ (got[1].bytes, (Bytes { 0x80, 60, 0 }));
    EXPECT_GE (got[1].time - start, 49.0);
}

TEST (HostMidi, HostSysExGoesThruUpToTheReserveAndALongerOneIsDroppedAndCounted)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    rig.instrument->setSilent (true);
    rig.instrument->clearLog();
    events (engine);

    Bytes tooLong (MIDI_PORTS_Control::realtimeSysexReserve + 1, 0x11);
    tooLong.front() = 0xF0;
    tooLong.back() = 0xF7;
    const auto dump = ProgramSysex::programDump (9, 39, markedRecord (7));

    juce::MidiBuffer host;
    host.addEvent (tooLong.data(), (int) tooLong.size(), 0);
    host.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 90), 5);
    host.addEvent (dump.data(), (int) dump.size(), 10);
    host.addEvent (tooLong.data(), (int) tooLong.size(), 15);
    host.addEvent (juce::MidiMessage::noteOn (1, 61, (juce::uint8) 90), 20);
    engine.handleHostMidi (host, 512, 48000);

    // In the block's order, the dump in its place.
    ASSERT_TRUE (rig.instrument->waitForDeliveries (3, 2000));
    EXPECT_EQ (deliveredBytes (*rig.instrument),
               (std::vector<Bytes> { { 0x90, 60, 90 }, Bytes (dump.begin(), dump.end()), { 0x90, 61, 90 } }));
    EXPECT_EQ (engine.getDroppedHostThruCount(), 2u);
    EXPECT_EQ (events (engine), (E { StateEvent::hostThruDropped, StateEvent::noteOn (1, 60, 90), StateEvent::noteOn (1, 61, 90) }))
        << "one notice until the editor has shown it";
    // passed on, not acted on: the mirror is the instrument's to change
    EXPECT_NE (engine.getInstrumentBank (9).programRecord (39)[13], 7);
}

TEST (GlobalDump, AShortDumpKeepsTheChannel)
{
    EngineRig rig;
    auto& engine = rig.start();
    engine.setMidiChannel (10);
    events (engine);

    feed (engine, { 0xF0, 0x01, 0x32, 0x0F, 0xF7 });
    feed (engine, { 0xF0, 0x01, 0x32, 0x0F, 0x00, 0x00, 0xF7 });
    EXPECT_EQ (engine.getMidiChannel(), 10);
    EXPECT_EQ (engine.getSettings().getByte (SettingsBlock::midiChannelOffset), 10);
    EXPECT_EQ (events (engine), (E { StateEvent::instrumentOnline, StateEvent::instrumentOnline }));

    // One that carries it is followed.
    feed (engine, { 0xF0, 0x01, 0x32, 0x0F, 0x00, 0x00, 0x03, 0xF7 });
    EXPECT_EQ (engine.getMidiChannel(), 3);
}

TEST (HostMidi, HostThruOffAndClosedOutputSendNothingButStillAct)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    engine.setHostThru (false);
    rig.instrument->clearLog();

    juce::MidiBuffer host;
    host.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 0);
    engine.handleHostMidi (host, 256, 44100);
    engine.selectOutputPort (0);
    engine.setHostThru (true);
    host.addEvent (juce::MidiMessage::noteOn (1, 61, (juce::uint8) 100), 0);
    engine.handleHostMidi (host, 256, 44100);

    rig.settle();
    EXPECT_TRUE (rig.instrument->deliveries().empty());
    EXPECT_EQ (events (engine).size(), 2u);
}

TEST (HostMidi, MessagesFromTheInstrumentReachTheHostsBuffer)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    engine.setInThru (true);

    rig.instrument->sendToSystem ({ 0x90, 64, 90 });
    rig.instrument->sendToSystem ({ 0x80, 64, 0 });
    ASSERT_TRUE (waitUntil ([&] { return toHostCount (engine) >= 2; }));

    juce::MidiBuffer host;
    host.addEvent (juce::MidiMessage::noteOn (1, 30, (juce::uint8) 100), 0); // the host's own: never echoed back
    engine.handleHostMidi (host, 512, 48000);

    std::vector<Bytes> got;
    for (const auto metadata : host)
        got.emplace_back (metadata.data, metadata.data + metadata.numBytes);
    EXPECT_EQ (got, (std::vector<Bytes> { { 0x90, 64, 90 }, { 0x80, 64, 0 } }));
}

TEST (Detection, RequestAndAnswer)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    rig.instrument->setGlobal (2, 5);
    rig.instrument->setAnswerDelay (100);
    rig.instrument->clearLog();
    events (engine);

    EXPECT_FALSE (engine.isOnline());
    engine.requestGlobals();
    EXPECT_EQ (events (engine), (E { StateEvent::instrumentOffline }));
    ASSERT_TRUE (rig.instrument->waitForDeliveries (1, 1000));
    EXPECT_FALSE (engine.isOnline());
    EXPECT_EQ (deliveredBytes (*rig.instrument), (std::vector<Bytes> { { 0xF0, 0x01, 0x32, 0x0E, 0xF7 } }));

    EXPECT_TRUE (waitUntil ([&] { return engine.isOnline(); }));
    EXPECT_EQ (engine.getMidiChannel(), 5);
    EXPECT_EQ (engine.getSettings().getByte (6), 5);
    EXPECT_EQ (events (engine), (E { StateEvent::channelChanged, StateEvent::instrumentOnline }));

    // Same channel again: on-line without a channel event. The request alone puts it off-line.
    engine.requestGlobals();
    EXPECT_FALSE (engine.isOnline());
    EXPECT_TRUE (waitUntil ([&] { return engine.isOnline(); }));
    EXPECT_EQ (events (engine), (E { StateEvent::instrumentOffline, StateEvent::instrumentOnline }));
}

TEST (Detection, DumpsOfEveryShape)
{
    EngineRig rig;
    auto& engine = rig.start();

    // Unasked, over-long, all channels: on-line, cut at 100 bytes, channel 1.
    Bytes dump (4 + 300 + 1, 0x22);
    dump[0] = 0xF0; dump[1] = 0x01; dump[2] = 0x32; dump[3] = 0x0F; dump.back() = 0xF7;
    dump[4 + 2] = 0;
    engine.setMidiChannel (9);
    feed (engine, dump);

    EXPECT_TRUE (engine.isOnline());
    EXPECT_EQ (engine.getMidiChannel(), 1);
    EXPECT_EQ (engine.getGlobals()[99], 0x22);
    EXPECT_EQ (events (engine), (E { StateEvent::channelChanged, StateEvent::instrumentOnline }));

    // A channel above 16 keeps the channel; the dump still counts.
    engine.requestGlobals();
    feed (engine, { 0xF0, 0x01, 0x32, 0x0F, 0, 0, 40, 0xF7 });
    EXPECT_TRUE (engine.isOnline());
    EXPECT_EQ (engine.getMidiChannel(), 1);
    EXPECT_EQ (events (engine), (E { StateEvent::instrumentOffline, StateEvent::instrumentOnline }));

    // The channel menu.
    engine.changeChannel (1);
    EXPECT_TRUE (events (engine).empty());
    engine.changeChannel (12);
    EXPECT_EQ (engine.getSettings().getByte (6), 12);
    EXPECT_EQ (events (engine), (E { StateEvent::channelChanged }));
}

TEST (StateListeners, AreToldOnTheMessageThreadLastAddedFirst)
{
    struct Listener : stateListener
    {
        Listener (std::vector<int>& o, int i) : order (o), id (i) {}
        void engineStateChanged() override { order.push_back (id); }
        std::vector<int>& order;
        int id;
    };

    EngineRig rig;
    auto& engine = rig.start();
    std::vector<int> order;
    Listener first (order, 1), second (order, 2);
    engine.addStateListener (&first);
    engine.addStateListener (&second);
    engine.addStateListener (&first);

    std::thread other ([&] { engine.postEvent (StateEvent::editBufferChanged); });
    other.join();
    engine.dispatchPendingNotifications();
    EXPECT_EQ (order, (std::vector<int> { 2, 1 }));

    engine.removeStateListener (&second);
    engine.postEvent (StateEvent::editBufferChanged);
    engine.dispatchPendingNotifications();
    EXPECT_EQ (order, (std::vector<int> { 2, 1, 1 }));
}

TEST (StateListeners, StartFromAnEmptyQueueAndAreToldToRefreshWhatAFullOneLost)
{
    struct Listener : stateListener
    {
        void engineStateChanged() override {}
    } listener;

    EngineRig rig;
    auto& engine = rig.start();
    events (engine);

    // Nobody listening: what piles up is older than what a new listener reads as it starts.
    for (int i = 0; i < 100; ++i)
        engine.postEvent (StateEvent::parameterChanged (17, i));
    engine.addStateListener (&listener);
    EXPECT_TRUE (events (engine).empty());

    // A listener that could not keep up hears everything that fitted, then to refresh the rest.
    for (int i = 0; i < 5000; ++i)
        engine.postEvent (StateEvent::parameterChanged (17, i % 100));
    const auto got = events (engine);
    ASSERT_EQ (got.size(), MidiCntrState::eventQueueSize + 4);
    EXPECT_EQ (E (got.end() - 4, got.end()), (E { StateEvent::editBufferChanged, StateEvent::mirrorChanged,
                                                  StateEvent::instrumentOffline, StateEvent::transferFinished }));
    EXPECT_TRUE (events (engine).empty()) << "once";
    engine.removeStateListener (&listener);
}
