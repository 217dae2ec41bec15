#pragma once

#include "model/DSI_Program.h"
#include "model/ParTable.h"
#include "plugin/MorvexAudioProcessor.h"
#include "support/EngineTestSupport.h"
#include "support/MessagePump.h"

/** The initial program under another name and category, so that records are told apart by what a
    player sees of them. */
inline ProgramSysex::Record namedRecord (const juce::String& name, int category = 0)
{
    DSI_Program program;
    const auto initial = ParTable::initialRecord();
    program.setRaw (initial.data());
    program.setName (name);
    auto record = program.getData();
    record[DSI_Program::categoryOffset] = (uint8_t) category;
    return record;
}

/** A processor whose engine sees only the simulated instrument, in a settings folder of its own. */
struct ProcessorRig
{
    explicit ProcessorRig (bool connect = true)
    {
        devices->addVirtualDevice (instrument);
        processor = std::make_unique<MorvexAudioProcessor> (devices, folder.folder);
        // An editor was open before, at 1000 × 644: tests see the zoom they store, whatever the
        // screen of the display they run on. A test of the first opening clears the size.
        auto& settings = engine().getSettings();
        settings.setInt (SettingsBlock::windowWidthOffset, 1000);
        settings.setInt (SettingsBlock::windowHeightOffset, 644);
        if (connect)
        {
            engine().selectOutputPort (1);
            engine().selectInputPort (1);
        }
    }

    MidiCntrState& engine() { return processor->getEngine(); }

    std::vector<int32_t> events()
    {
        std::vector<int32_t> out;
        engine().drainEvents (out);
        return out;
    }

    /** The instrument's deliveries since its log was cleared, once `count` have arrived and the
        wire is quiet. */
    std::vector<Bytes> wire (size_t count) { return wireAfter (engine(), *instrument, count); }

    void settle() { ::settle (engine(), *instrument); }

    /** The text a host shows for the parameter of this name. */
    juce::String hostText (const juce::String& name)
    {
        for (auto* p : processor->getParameters())
            if (p->getName (64) == name)
                return p->getCurrentValueAsText();
        ADD_FAILURE() << "no parameter named " << name;
        return {};
    }

    ScratchFolder folder;
    std::shared_ptr<SimulatedProphet> instrument = std::make_shared<SimulatedProphet>();
    std::shared_ptr<MidiDevices> devices = std::make_shared<MidiDevices> (false);
    std::unique_ptr<MorvexAudioProcessor> processor;
};

/** Every message the instrument heard, once all that was sent so far has arrived: a marker sent
    last comes in behind it. */
inline std::vector<Bytes> heard (ProcessorRig& rig)
{
    static int markers = 0;
    const Bytes marker { 0xBF, 85, (uint8_t) (++markers & 0x7F) };
    rig.engine().getPorts().sendController (16, 85, marker[2]);

    std::vector<Bytes> all;
    waitUntil ([&]
    {
        all.clear();
        for (const auto& m : rig.instrument->messages())
            all.push_back (m.bytes);
        return std::find (all.begin(), all.end(), marker) != all.end();
    });

    EXPECT_NE (std::find (all.begin(), all.end(), marker), all.end()) << "the marker never arrived";
    all.erase (std::remove_if (all.begin(), all.end(), [] (const Bytes& m) { return m.size() == 3 && m[0] == 0xBF && m[1] == 85; }),
               all.end());
    return all;
}

/** What the host hears from the processor: gestures and value reports, in order. */
class HostRecorder final : public juce::AudioProcessorListener
{
public:
    struct Entry
    {
        char kind; // 'b' begin, 'v' value, 'e' end
        int index;
        float value;
        bool operator== (const Entry& o) const { return kind == o.kind && index == o.index && std::abs (value - o.value) < 1.0e-6f; }
    };

    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override { add ({ 'v', index, value }); }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index) override { add ({ 'b', index, 0.0f }); }
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index) override { add ({ 'e', index, 0.0f }); }

    std::vector<Entry> entries() const { const juce::ScopedLock sl (lock); return list; }
    void clear() { const juce::ScopedLock sl (lock); list.clear(); }

private:
    void add (Entry e) { const juce::ScopedLock sl (lock); list.push_back (e); }

    juce::CriticalSection lock;
    std::vector<Entry> list;
};

inline std::ostream& operator<< (std::ostream& os, const HostRecorder::Entry& e)
{
    return os << e.kind << e.index << "=" << e.value;
}
