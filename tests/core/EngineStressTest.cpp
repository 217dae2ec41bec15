#include "support/EngineTestSupport.h"

#include <thread>

// The instrument floods edits and dumps on its thread, the host's audio thread hands over MIDI
// block after block, and the message thread drains the queues, all at once. Every event must
// arrive once, in the order its producer made it.
TEST (EngineStress, ThreeThreadsAtOnce)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    engine.setInThru (true);

    constexpr int knobTurns = 3000, dumps = 100, hostBlocks = 400, perBlock = 16;
    std::atomic<bool> hostDone { false };

    std::thread instrument ([&]
    {
        for (int i = 0; i < knobTurns; ++i)
        {
            rig.instrument->turnKnob (17, i % 16384);
            if (i % 30 == 0)
                rig.instrument->sendToSystem (ProgramSysex::editBufferDump (ParTable::initialRecord()));
            if (i % 7 == 0)
                rig.instrument->sendToSystem ({ 0x90, (uint8_t) (i % 128), 100 });
        }
    });

    std::thread audio ([&]
    {
        juce::MidiBuffer host;
        host.ensureSize (4096);
        int sequence = 0;
        for (int block = 0; block < hostBlocks; ++block)
        {
            host.clear();
            for (int k = 0; k < perBlock; ++k, ++sequence)
                host.addEvent (juce::MidiMessage::controllerEvent (2, 40 + sequence / 128, sequence % 128), k);
            engine.handleHostMidi (host, 256, 48000);
            juce::Thread::sleep (1); // a block period, give or take: far more MIDI than any host sends
        }
        hostDone = true;
    });

    std::vector<int32_t> events;
    std::vector<MidiCntrState::HostParam> params;
    const auto expectedParams = (size_t) knobTurns;
    const auto expectedDumps = (size_t) (knobTurns + 29) / 30;

    auto countDumpEvents = [&]
    {
        return (size_t) std::count (events.begin(), events.end(), StateEvent::editBufferChanged);
    };

    waitUntil ([&]
    {
        engine.drainEvents (events);
        engine.drainHostParams (params);
        return hostDone && params.size() >= expectedParams && countDumpEvents() >= expectedDumps;
    }, 20000);

    instrument.join();
    audio.join();
    engine.drainEvents (events);
    engine.drainHostParams (params);

    // The instrument's edits, in order.
    ASSERT_EQ (params.size(), expectedParams);
    for (int i = 0; i < knobTurns; ++i)
    {
        ASSERT_EQ (params[(size_t) i].parameter, 17);
        ASSERT_EQ (params[(size_t) i].value, i % 16384) << i;
    }

    // The host's controllers (40 to 89: none that selects or edits), in order, and the
    // instrument's dumps, once each.
    std::vector<int32_t> hostEvents;
    for (auto e : events)
        if (e != StateEvent::editBufferChanged && e != StateEvent::editBufferReceived)
            hostEvents.push_back (e);

    ASSERT_EQ (hostEvents.size(), (size_t) (hostBlocks * perBlock));
    for (int s = 0; s < hostBlocks * perBlock; ++s)
        ASSERT_EQ (hostEvents[(size_t) s], StateEvent::controller (2, 40 + s / 128, s % 128)) << s;

    EXPECT_EQ (countDumpEvents(), expectedDumps);
    (void) dumps;
}
