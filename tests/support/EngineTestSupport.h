#pragma once

#include "midi/MidiCntrState.h"
#include "midi/MidiDevices.h"
#include "midi/SimulatedProphet.h"

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
        for (int waited = 0; waited < timeoutMs; waited += 2)
        {
            if (messages().size() >= count)
                return true;
            juce::Thread::sleep (2);
        }
        return messages().size() >= count;
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

    ScratchFolder folder;
    std::shared_ptr<SimulatedProphet> instrument;
    std::shared_ptr<MidiDevices> devices;
    std::unique_ptr<MidiCntrState> engine;
};
