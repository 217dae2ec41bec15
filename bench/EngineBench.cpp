// The input path's throughput for program dumps, and what a knob sweep costs on the wire.
#include "BenchSupport.h"

namespace
{
void BM_SysexDispatch (benchmark::State& state)
{
    BenchRig rig;
    auto& engine = rig.engine();
    rig.instrument->setSilent (true); // answers come from here, at once

    std::vector<juce::MidiMessage> dumps;
    auto record = ParTable::initialRecord();
    for (int n = 0; n < 400; ++n)
    {
        record[13] = (uint8_t) (n % 120);
        const auto bytes = ProgramSysex::programDump (n / 40, n % 40, record);
        dumps.emplace_back (bytes.data(), (int) bytes.size());
    }

    int n = 0;
    engine.beginReceive (MidiCntrState::receiveAllGroups, 0);
    std::vector<int32_t> events;

    for (auto _ : state)
    {
        engine.handleIncomingMidiMessage (nullptr, dumps[(size_t) n]);

        if (++n == 400)
        {
            state.PauseTiming();
            n = 0;
            events.clear();
            engine.drainEvents (events);
            engine.beginReceive (MidiCntrState::receiveAllGroups, 0);
            state.ResumeTiming();
        }
    }

    state.SetItemsProcessed (state.iterations());
}

void BM_KnobSweepWireBytes (benchmark::State& state)
{
    BenchRig rig;
    auto& engine = rig.engine();
    rig.instrument->setLogging (true);
    size_t bytes = 0;

    for (auto _ : state)
    {
        engine.sendParameter (3, 1, 0, 0); // another parameter was sent last
        rig.instrument->waitForDeliveries (4, 2000);
        juce::Thread::sleep (20);
        rig.instrument->clearLog();

        for (int v = 0; v <= 120; ++v)
            engine.sendParameter (17, v, 0, 0);

        juce::Thread::sleep (50);
        bytes = 0;
        for (const auto& d : rig.instrument->deliveries())
            bytes += d.bytes.size();
    }

    state.counters["bytes"] = (double) bytes;
    state.counters["minimum"] = 12.0 + 3.0 * 120.0;
}
}

BENCHMARK (BM_SysexDispatch)->UseRealTime();
BENCHMARK (BM_KnobSweepWireBytes)->Iterations (1);
