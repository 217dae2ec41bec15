#pragma once

#include "midi/MidiCntrState.h"
#include "midi/MidiDevices.h"
#include "midi/SimulatedProphet.h"
#include "support/Waiting.h"

#include <gtest/gtest.h>

using Bytes = std::vector<uint8_t>;

/** A settings folder of its own for each test, removed afterwards. */
struct ScratchFolder
{
    ScratchFolder()
        : folder (juce::File::createTempFile ("morvex").getSiblingFile ("morvex-" + juce::Uuid().toString()))
    {
        folder.createDirectory();
    }

    ~ScratchFolder() { folder.deleteRecursively(); }

    juce::File file (const char* name) const { return folder.getChildFile (name); }

    void write (const char* name, const Bytes& bytes) const
    {
        file (name).replaceWithData (bytes.data(), bytes.size());
    }

    Bytes read (const char* name) const
    {
        juce::MemoryBlock block;
        file (name).loadFileAsData (block);
        const auto* data = static_cast<const uint8_t*> (block.getData());
        return Bytes (data, data + block.getSize());
    }

    juce::File folder;
};

/** What an input port delivers, collected for a test to look at. */
class RecordingCallback final : public juce::MidiInputCallback
{
public:
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& m) override
    {
        const juce::ScopedLock sl (lock);
        received.emplace_back (m.getRawData(), m.getRawData() + m.getRawDataSize());
        times.push_back (juce::Time::getMillisecondCounterHiRes());
    }

    std::vector<Bytes> messages() const
    {
        const juce::ScopedLock sl (lock);
        return received;
    }

    std::vector<double> arrivalTimes() const
    {
        const juce::ScopedLock sl (lock);
        return times;
    }

    bool waitFor (size_t count, int timeoutMs = 2000) const
    {
        return waitUntil ([&] { return messages().size() >= count; }, timeoutMs);
    }

private:
    juce::CriticalSection lock;
    std::vector<Bytes> received;
    std::vector<double> times;
};

/** Bytes as the simulated instrument received them, one entry per delivery. */
inline std::vector<Bytes> deliveredBytes (const SimulatedProphet& instrument)
{
    std::vector<Bytes> result;
    for (const auto& d : instrument.deliveries())
        result.push_back (d.bytes);
    return result;
}

/** Waits until nothing is on its way between the engine and the instrument: all the engine
    queued has reached the instrument, and all the instrument was given to send has reached the
    engine. A second round catches what the engine sent in answer to the instrument. After this,
    "nothing else arrived" means nothing else was sent. */
inline void settle (MidiCntrState& engine, const SimulatedProphet& instrument)
{
    for (int round = 0; round < 2; ++round)
    {
        EXPECT_TRUE (engine.getPorts().waitUntilDrained (5000)) << "the engine's output never drained";
        EXPECT_TRUE (instrument.waitUntilAnswered (5000)) << "the instrument never finished sending";
    }
}

/** The instrument's deliveries once `count` have arrived and the wire is quiet. A shortfall is a
    failure that says what was missing, and the result is padded with empty messages so that a
    test looking at the one it expected fails on it rather than crashing. */
inline std::vector<Bytes> wireAfter (MidiCntrState& engine, const SimulatedProphet& instrument, size_t count)
{
    const auto arrived = instrument.waitForDeliveries (count, 5000);
    settle (engine, instrument);
    auto got = deliveredBytes (instrument);
    EXPECT_TRUE (arrived) << "expected " << count << " deliveries at the instrument, got " << got.size();
    if (got.size() < count)
        got.resize (count);
    return got;
}

/** An engine in a scratch folder whose devices are the simulated instrument and, if asked, more
    virtual devices; the computer's own MIDI devices are left out. */
struct EngineRig
{
    explicit EngineRig (std::vector<juce::String> otherDevices = {})
    {
        instrument = std::make_shared<SimulatedProphet>();
        devices = std::make_shared<MidiDevices> (false);
        for (const auto& name : otherDevices)
            devices->addVirtualDevice (std::make_shared<SimulatedProphet> (name));
        devices->addVirtualDevice (instrument);
    }

    MidiCntrState& start()
    {
        engine = std::make_unique<MidiCntrState> (devices, folder.folder);
        return *engine;
    }

    /** Chooses the simulated instrument as input and output, as a user would in the setup window. */
    MidiCntrState& startConnected()
    {
        start();
        const auto entry = devices->getOutputNames().indexOf (SimulatedProphet::defaultName) + 1;
        engine->selectOutputPort (entry);
        engine->selectInputPort (entry);
        return *engine;
    }

    void stop() { engine.reset(); }

    void settle() { ::settle (*engine, *instrument); }
    std::vector<Bytes> wire (size_t count) { return wireAfter (*engine, *instrument, count); }

    ScratchFolder folder;
    std::shared_ptr<SimulatedProphet> instrument;
    std::shared_ptr<MidiDevices> devices;
    std::unique_ptr<MidiCntrState> engine;
};
