// The audio thread's cost per block, next to two yardsticks: a processor that only clears its
// buffer, and one that does the least any thru or clock plug-in must with the same MIDI.
#include "BenchSupport.h"
#include "bare/BareProcessor.h"
#include "bare/BareThruProcessor.h"

#include <functional>

namespace
{
constexpr int blockSize = 512;
constexpr double sampleRate = 48000.0;

class PlayingHead final : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setBpm (120.0);
        info.setIsPlaying (true);
        info.setPpqPosition (ppq);
        return info;
    }

    double ppq = 0.0;
};

void prepare (juce::AudioProcessor& p)
{
    p.setRateAndBufferSizeDetails (sampleRate, blockSize);
    p.prepareToPlay (sampleRate, blockSize);
}

void BM_ProcessBlock_Baseline (benchmark::State& state)
{
    BareProcessor p;
    prepare (p);
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;

    for (auto _ : state)
    {
        buffer.setNotClear();
        p.processBlock (buffer, midi);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }
}

void BM_ProcessBlock_Idle (benchmark::State& state)
{
    BenchRig rig;
    prepare (*rig.processor);
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    midi.ensureSize (4096);

    for (auto _ : state)
    {
        buffer.setNotClear();
        rig.processor->processBlock (buffer, midi);
    }
}

// The three MIDI cases, each run the same way on ours and on the bare thru processor.
void clockWhilePlaying (benchmark::State& state, juce::AudioProcessor& p)
{
    PlayingHead head;
    p.setPlayHead (&head);
    prepare (p);
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;

    for (auto _ : state)
    {
        head.ppq += blockSize / 24000.0;
        buffer.setNotClear();
        p.processBlock (buffer, midi);
    }
    p.setPlayHead (nullptr);
}

void hostThru32 (benchmark::State& state, juce::AudioProcessor& p)
{
    prepare (p);
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    midi.ensureSize (8192);
    int note = 0;

    for (auto _ : state)
    {
        for (int k = 0; k < 32; ++k)
            midi.addEvent (juce::MidiMessage::noteOn (1, (note++) % 128, (juce::uint8) 100), k * 16);
        buffer.setNotClear();
        p.processBlock (buffer, midi);
    }
}

void instrumentToHost32 (benchmark::State& state, juce::AudioProcessor& p, const std::function<void (const juce::MidiMessage&)>& receive)
{
    prepare (p);
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    midi.ensureSize (8192);
    int note = 0;

    for (auto _ : state)
    {
        // What the MIDI driver's thread delivers between two blocks, not charged to the block.
        state.PauseTiming();
        for (int k = 0; k < 32; ++k)
            receive (juce::MidiMessage::noteOn (1, (note++) % 128, (juce::uint8) 90));
        state.ResumeTiming();

        buffer.setNotClear();
        p.processBlock (buffer, midi);
        midi.clear();
    }
}

void BM_ProcessBlock_ClockWhilePlaying (benchmark::State& state)
{
    BenchRig rig;
    rig.engine().setSendClock (true);
    rig.instrument->setSilent (true);
    clockWhilePlaying (state, *rig.processor);
}

void BM_ProcessBlock_HostThru32 (benchmark::State& state)
{
    BenchRig rig;
    hostThru32 (state, *rig.processor);
}

void BM_ProcessBlock_InstrumentToHost32 (benchmark::State& state)
{
    BenchRig rig;
    rig.engine().setInThru (true);
    instrumentToHost32 (state, *rig.processor, [&] (const juce::MidiMessage& m) { rig.engine().handleIncomingMidiMessage (nullptr, m); });
}

void BM_Yardstick_ClockWhilePlaying (benchmark::State& state)
{
    BareThruProcessor p;
    p.setSendClock (true);
    clockWhilePlaying (state, p);
}

void BM_Yardstick_HostThru32 (benchmark::State& state)
{
    BareThruProcessor p;
    hostThru32 (state, p);
}

void BM_Yardstick_InstrumentToHost32 (benchmark::State& state)
{
    BareThruProcessor p;
    instrumentToHost32 (state, p, [&] (const juce::MidiMessage& m) { p.receive (m); });
}
}

BENCHMARK (BM_ProcessBlock_Baseline);
BENCHMARK (BM_ProcessBlock_Idle);
BENCHMARK (BM_ProcessBlock_ClockWhilePlaying);
BENCHMARK (BM_ProcessBlock_HostThru32);
BENCHMARK (BM_ProcessBlock_InstrumentToHost32);
BENCHMARK (BM_Yardstick_ClockWhilePlaying);
BENCHMARK (BM_Yardstick_HostThru32);
BENCHMARK (BM_Yardstick_InstrumentToHost32);
