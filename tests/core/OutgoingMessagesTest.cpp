#include "support/EngineTestSupport.h"

#include <functional>

namespace
{
struct Step
{
    const char* what;
    std::function<void (MidiCntrState&)> action;
    std::vector<Bytes> expected; // deliveries, in order
};

void runSteps (EngineRig& rig, const std::vector<Step>& steps)
{
    auto& engine = rig.startConnected();
    rig.instrument->clearLog();
    size_t seen = 0;

    for (const auto& step : steps)
    {
        step.action (engine);
        const auto all = rig.wire (seen + step.expected.size());
        const std::vector<Bytes> got (all.begin() + (std::ptrdiff_t) std::min (seen, all.size()), all.end());
        EXPECT_EQ (got, step.expected) << step.what;
        seen = all.size();
    }
}

Bytes pattern (size_t size)
{
    Bytes bytes (size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = (uint8_t) (i & 0x7F);
    bytes.front() = 0xF0;
    bytes.back() = 0xF7;
    return bytes;
}
}

TEST (OutgoingMessages, BytesOnTheWire)
{
    EngineRig rig;
    const auto big = pattern (300);

    runSteps (rig, {
        { "first NRPN names its number", [] (auto& e) { e.sendParameter (8, 200, 0, 48000); },
          { { 0xB0, 0x63, 0x00 }, { 0xB0, 0x62, 0x08 }, { 0xB0, 0x06, 0x01 }, { 0xB0, 0x26, 0x48 } } },
        { "same number and MSB: LSB alone", [] (auto& e) { e.sendParameter (8, 201, 0, 48000); }, { { 0xB0, 0x26, 0x49 } } },
        { "a repeat sends nothing", [] (auto& e) { e.sendParameter (8, 201, 0, 48000); }, {} },
        { "another MSB: MSB and LSB", [] (auto& e) { e.sendParameter (8, 100, 0, 48000); }, { { 0xB0, 0x06, 0x00 }, { 0xB0, 0x26, 0x64 } } },
        { "another parameter", [] (auto& e) { e.sendParameter (17, 5, 0, 48000); },
          { { 0xB0, 0x63, 0x00 }, { 0xB0, 0x62, 0x11 }, { 0xB0, 0x06, 0x00 }, { 0xB0, 0x26, 0x05 } } },
        { "no NRPN number", [] (auto& e) { e.sendParameter (110, 3, 0, 48000); }, {} },
        { "3 after 17", [] (auto& e) { e.sendParameter (3, 1, 0, 48000); },
          { { 0xB0, 0x63, 0x00 }, { 0xB0, 0x62, 0x03 }, { 0xB0, 0x06, 0x00 }, { 0xB0, 0x26, 0x01 } } },
        { "4 after 3", [] (auto& e) { e.sendParameter (4, 1, 0, 48000); },
          { { 0xB0, 0x63, 0x00 }, { 0xB0, 0x62, 0x04 }, { 0xB0, 0x06, 0x00 }, { 0xB0, 0x26, 0x01 } } },
        { "3 after 4", [] (auto& e) { e.sendParameter (3, 1, 0, 48000); },
          { { 0xB0, 0x63, 0x00 }, { 0xB0, 0x62, 0x03 }, { 0xB0, 0x06, 0x00 }, { 0xB0, 0x26, 0x01 } } },
        { "global NRPN: MIDI CLOCK MODE to Slave", [] (auto& e) { e.sendNrpn (1027, 2); },
          { { 0xB0, 0x63, 0x08 }, { 0xB0, 0x62, 0x03 }, { 0xB0, 0x06, 0x00 }, { 0xB0, 0x26, 0x02 } } },
        { "after a global the parameter names its number again", [] (auto& e) { e.sendParameter (3, 0, 0, 48000); },
          { { 0xB0, 0x63, 0x00 }, { 0xB0, 0x62, 0x03 }, { 0xB0, 0x06, 0x00 }, { 0xB0, 0x26, 0x00 } } },
        { "program select on channel 3", [] (auto& e) { e.setMidiChannel (3); e.sendProgramSelect (7, 12); },
          { { 0xB2, 0x20, 0x07 }, { 0xC2, 0x0C } } },
        { "parameters follow the channel", [] (auto& e) { e.sendParameter (3, 1, 0, 48000); }, { { 0xB2, 0x26, 0x01 } } },
        { "another delay than the last send: the full form", [] (auto& e) { e.sendParameter (3, 2, 5.0, 48000); },
          { { 0xB2, 0x63, 0x00 }, { 0xB2, 0x62, 0x03 }, { 0xB2, 0x06, 0x00 }, { 0xB2, 0x26, 0x02 } } },
        { "the same delay: LSB alone", [] (auto& e) { e.sendParameter (3, 3, 5.0, 48000); }, { { 0xB2, 0x26, 0x03 } } },
        { "no delay again: the full form", [] (auto& e) { e.sendParameter (3, 4, 0, 48000); },
          { { 0xB2, 0x63, 0x00 }, { 0xB2, 0x62, 0x03 }, { 0xB2, 0x06, 0x00 }, { 0xB2, 0x26, 0x04 } } },
        { "notes", [] (auto& e) { e.sendNoteOn (2, 60, 200); e.sendNoteOn (2, 128, 10); e.sendNoteOff (2, 60); },
          { { 0x91, 60, 127 }, { 0x81, 60, 0 } } },
        { "wheels", [] (auto& e) { e.sendPitchWheelToAll (1, 64 * 128); e.sendController (1, 1, 90); },
          { { 0xE0, 0x00, 0x40 }, { 0xB0, 0x01, 90 } } },
        { "requests", [] (auto& e) { e.sendRequest (5, 3, 17); e.sendRequest (6, 0, 0); e.requestGlobals(); },
          { { 0xF0, 0x01, 0x32, 0x05, 0x03, 0x11, 0xF7 }, { 0xF0, 0x01, 0x32, 0x06, 0xF7 }, { 0xF0, 0x01, 0x32, 0x0E, 0xF7 } } },
        { "long SysEx in 256-byte pieces", [&] (auto& e) { e.sendSysEx (big); },
          { Bytes (big.begin(), big.begin() + 256), Bytes (big.begin() + 256, big.end()) } },
        { "long SysEx whole with the 6000 choice", [&] (auto& e) { e.getPorts().setSysexSizeChoice (1); e.sendSysEx (big); },
          { big } },
        { "closed output: nothing at all", [&] (auto& e)
            {
                e.selectOutputPort (0);
                e.sendParameter (8, 5, 0, 48000);
                e.sendNrpn (1027, 1);
                e.sendProgramSelect (1, 1);
                e.sendNoteOn (1, 60, 100);
                e.sendSysEx (big);
                e.requestGlobals();
            }, {} },
    });
}

TEST (OutgoingMessages, DumpsCarryTheRecordInTheInstrumentsLayout)
{
    EngineRig rig;
    auto& engine = rig.startConnected();

    auto record = ParTable::initialRecord();
    record[17] = 99;
    record[93] = 6;
    engine.sendProgramDump (2, 5, record);
    record[17] = 33;
    engine.sendEditBufferDump (record);
    ASSERT_TRUE (rig.instrument->waitForMessages (2, 2000));
    EXPECT_EQ (rig.instrument->getProgram (2, 5)[17], 99);
    EXPECT_EQ (rig.instrument->getProgram (2, 5)[93], 6);
    EXPECT_EQ (rig.instrument->getEditBuffer(), record);
}

TEST (OutgoingMessages, DelayedParametersWaitForTheirTime)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    rig.instrument->clearLog();

    const auto sent = juce::Time::getMillisecondCounterHiRes();
    engine.sendParameter (21, 40, 120.0, 48000.0);
    ASSERT_TRUE (rig.instrument->waitForMessages (4, 2000));

    for (const auto& m : rig.instrument->messages())
        EXPECT_GE (m.time - sent, 115.0);
    EXPECT_EQ (rig.instrument->getEditBuffer()[21], 40);
}

TEST (OutgoingMessages, ABlockArrivesInItsOrderWhateverItsSizeAndContent)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    rig.instrument->setSilent (true);
    rig.instrument->clearLog();

    // More messages than one batch holds, with a SysEx among them.
    juce::MidiBuffer block;
    std::vector<Bytes> expected;
    for (int k = 0; k < 150; ++k)
    {
        Bytes m { 0x90, (uint8_t) (k & 0x7F), (uint8_t) (1 + k / 128) };
        if (k == 70)
            m = Bytes { 0xF0, 0x7D, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0xF7 };
        block.addEvent (m.data(), (int) m.size(), k * 3);
        expected.push_back (m);
    }

    engine.getPorts().sendBlock (block, juce::Time::getMillisecondCounterHiRes(), 48000.0);
    ASSERT_TRUE (rig.instrument->waitForDeliveries (expected.size(), 2000));
    EXPECT_EQ (deliveredBytes (*rig.instrument), expected);
}

TEST (OutgoingMessages, ABlockComputedEarlyWaitsBehindTheBlockBefore)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    rig.instrument->setSilent (true);
    rig.instrument->clearLog();

    // The host computed the second block at the same moment as the first.
    juce::MidiBuffer first, second;
    first.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 400);
    second.addEvent (juce::MidiMessage::noteOff (1, 60), 0);
    const auto start = juce::Time::getMillisecondCounterHiRes() + 20.0;
    const auto last = engine.getPorts().sendBlock (first, start, 48000.0);
    EXPECT_DOUBLE_EQ (engine.getPorts().sendBlock (second, start, 48000.0, last), last);

    ASSERT_TRUE (rig.instrument->waitForDeliveries (2, 2000));
    EXPECT_EQ (deliveredBytes (*rig.instrument), (std::vector<Bytes> { { 0x90, 60, 100 }, { 0x80, 60, 0 } }));
}

TEST (OutgoingMessages, PitchWheelAlsoWaitsForTheHost)
{
    EngineRig rig;
    auto& engine = rig.startConnected();
    engine.sendPitchWheelToAll (1, 100 * 128);

    const juce::ScopedLock sl (engine.getEngineLock());
    ASSERT_EQ (engine.getToHostBuffer().getNumEvents(), 1);

    juce::MidiBuffer host;
    engine.getToHostBuffer().moveInto (host, 512);
    ASSERT_EQ (host.getNumEvents(), 1);
    const auto message = host.begin().operator*().getMessage();
    EXPECT_TRUE (message.isPitchWheel());
    EXPECT_EQ (message.getPitchWheelValue(), 100 * 128);
}

TEST (ToHostBuffer, DropsWhatTheHostDidNotCollectWithinHalfASecond)
{
    ToHostBuffer buffer;
    const juce::uint32 t = 100000;
    buffer.add (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), t);
    buffer.add (juce::MidiMessage::noteOn (1, 61, (juce::uint8) 100), t + 300);
    buffer.add (juce::MidiMessage::noteOn (1, 62, (juce::uint8) 100), t + 600);
    EXPECT_EQ (buffer.getNumEvents(), 2);

    buffer.add (juce::MidiMessage::noteOn (1, 63, (juce::uint8) 100), t + 1200);
    EXPECT_EQ (buffer.getNumEvents(), 1);
}

TEST (ToHostBuffer, SpreadsMessagesOverTheBlockByTheirStamps)
{
    ToHostBuffer buffer;
    for (juce::uint32 t : { 1000u, 1005u, 1010u })
        buffer.add (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), t);

    juce::MidiBuffer host;
    buffer.moveInto (host, 512);

    std::vector<int> positions;
    for (const auto metadata : host)
        positions.push_back (metadata.samplePosition);
    EXPECT_EQ (positions, (std::vector<int> { 0, 233, 465 }));
    EXPECT_TRUE (buffer.isEmpty());
}
