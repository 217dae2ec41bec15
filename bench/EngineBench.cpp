// The input path's throughput for program dumps, and what a knob sweep costs on the wire.
#include "BenchSupport.h"

#include <cstdlib>

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
    engine.startTransfer (MidiCntrState::receiveAllGroups, 0);
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
            engine.startTransfer (MidiCntrState::receiveAllGroups, 0);
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

/** Receiving groups from an instrument that answers at a MIDI cable's pace: the engine's share is
    the time beyond the instrument's own answer times, plus one timeout for every answer lost.
    Arguments: groups (1: one group, 10: all), and every how many answers one is lost (0: none). */
void BM_GroupReceive (benchmark::State& state)
{
    BenchRig rig;
    auto& engine = rig.engine();
    const auto groups = (int) state.range (0), dropEvery = (int) state.range (1);
    double wallMs = 0.0, instrumentMs = 0.0;
    int stored = 0;

    for (auto _ : state)
    {
        rig.instrument->resetProgramAnswers();
        rig.instrument->setWirePace (1.0);
        rig.instrument->setDropEvery (dropEvery);
        const auto start = juce::Time::getMillisecondCounterHiRes();
        engine.startTransfer (groups == 1 ? MidiCntrState::receiveOneGroup : MidiCntrState::receiveAllGroups, 0);
        while (engine.isBusy())
            juce::Thread::sleep (1);
        wallMs = juce::Time::getMillisecondCounterHiRes() - start;

        const auto lost = rig.instrument->getProgramAnswerCount() - rig.instrument->getProgramAnswersHandedOver();
        instrumentMs = rig.instrument->getProgramAnswerMs() + lost * GroupTransfer::answerTimeoutMs;
        stored = engine.getTransferStatus().arrived;
    }

    state.counters["wall_ms"] = wallMs;
    state.counters["instrument_ms"] = instrumentMs;
    state.counters["stored"] = stored;
    state.counters["expected"] = groups * 40;
}

BENCHMARK (BM_SysexDispatch)->UseRealTime();
BENCHMARK (BM_KnobSweepWireBytes)->Iterations (1);
// A quick run (MORVEX_BENCH_QUICK) takes one group, losing every tenth answer; a full run all 400
// programs, and then every 50th lost.
BENCHMARK (BM_GroupReceive)->Name ("BM_GroupReceive_WirePace")->Args ({ std::getenv ("MORVEX_BENCH_QUICK") != nullptr ? 1 : 10, 0 })
    ->Iterations (1)->UseRealTime()->Unit (benchmark::kMillisecond);
BENCHMARK (BM_GroupReceive)->Name ("BM_GroupReceive_Dropped")->Args ({ std::getenv ("MORVEX_BENCH_QUICK") != nullptr ? 1 : 10,
                                                                       std::getenv ("MORVEX_BENCH_QUICK") != nullptr ? 10 : 50 })
    ->Iterations (1)->UseRealTime()->Unit (benchmark::kMillisecond);
