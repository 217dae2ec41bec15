// Runs the benchmarks, then prints every figure as a ratio against its limit, measured side by
// side in this one run. The figures are for reading, not for failing a build: timings on a shared
// machine vary.
#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace
{
struct Figure
{
    double nanoseconds = 0.0;
    std::map<std::string, double> counters;
};

class RecordingReporter final : public benchmark::ConsoleReporter
{
public:
    void ReportRuns (const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns (runs);
        for (const auto& run : runs)
        {
            // "BM_Name/iterations:1" and the like are filed under their plain name.
            const auto name = run.benchmark_name();
            auto& figure = figures[name.substr (0, name.find ('/'))];
            figure.nanoseconds = run.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier (benchmark::kNanosecond)
                                 / benchmark::GetTimeUnitMultiplier (run.time_unit);
            for (const auto& [name, counter] : run.counters)
                figure.counters[name] = counter.value;
        }
    }

    std::map<std::string, Figure> figures;
};

void row (const char* what, double value, double limit, const char* goal, bool good, const char* unit)
{
    std::printf ("%-44s %12.3f %12.3f %-6s %8.3f  %-8s %s\n", what, value, limit, unit, limit != 0.0 ? value / limit : 0.0, goal,
                 good ? "met" : "MISSED");
}
}

int main (int argc, char** argv)
{
    // Plug-in instances write their machine-wide files: give them a home of their own.
    char home[] = "/tmp/morvex-bench-home-XXXXXX";
    if (mkdtemp (home) != nullptr)
    {
        setenv ("HOME", home, 1);
        setenv ("XDG_CONFIG_HOME", (std::string (home) + "/.config").c_str(), 1);
    }

    juce::ScopedJuceInitialiser_GUI framework;

    benchmark::Initialize (&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks (&reporter);
    benchmark::Shutdown();

    const auto& f = reporter.figures;
    const auto time = [&] (const char* name) { auto it = f.find (name); return it == f.end() ? 0.0 : it->second.nanoseconds; };
    const auto counter = [&] (const char* name, const char* c)
    {
        auto it = f.find (name);
        if (it == f.end()) return 0.0;
        auto ct = it->second.counters.find (c);
        return ct == it->second.counters.end() ? 0.0 : ct->second;
    };

    std::printf ("\n%-44s %12s %12s %-6s %8s  %-8s %s\n", "figure", "value", "limit", "unit", "ratio", "goal", "");
    // Each case against the bare processor (which only clears its buffer) for reading, and the
    // MIDI cases against the bare thru processor doing the same MIDI work, which is the goal.
    const auto baseline = time ("BM_ProcessBlock_Baseline");
    const struct { const char* name; const char* yardstick; } cases[] = {
        { "BM_ProcessBlock_Idle", nullptr },
        { "BM_ProcessBlock_ClockWhilePlaying", "BM_Yardstick_ClockWhilePlaying" },
        { "BM_ProcessBlock_HostThru32", "BM_Yardstick_HostThru32" },
        { "BM_ProcessBlock_InstrumentToHost32", "BM_Yardstick_InstrumentToHost32" },
    };
    for (const auto& c : cases)
    {
        if (time (c.name) <= 0.0)
            continue;
        const auto label = std::string (c.name + 16); // past "BM_ProcessBlock_"
        if (c.yardstick == nullptr)
        {
            row (("processBlock " + label + " / bare").c_str(), time (c.name), baseline, "<= 2", time (c.name) <= 2.0 * baseline, "ns");
            continue;
        }
        row (("processBlock " + label + " / bare").c_str(), time (c.name), baseline, "report", true, "ns");
        const auto fair = time (c.yardstick);
        if (fair > 0.0)
            row (("processBlock " + label + " / bare thru").c_str(), time (c.name), fair, "<= 2", time (c.name) <= 2.0 * fair, "ns");
    }

    // A full-speed USB MIDI link carries about 1 MB/s: 159-byte dumps at about 6,289 a second.
    const auto dumpsPerSecond = counter ("BM_SysexDispatch", "items_per_second");
    const auto needed = 10.0 * 1.0e6 / 159.0;
    if (dumpsPerSecond > 0.0)
        row ("program dumps per second (10x USB MIDI)", dumpsPerSecond, needed, ">= 1", dumpsPerSecond >= needed, "1/s");

    const auto bytes = counter ("BM_KnobSweepWireBytes", "bytes");
    if (bytes > 0.0)
    {
        const auto minimum = counter ("BM_KnobSweepWireBytes", "minimum");
        row ("knob sweep 0..120 bytes on the wire", bytes, minimum, "<= 1.05", bytes <= 1.05 * minimum, "bytes");
    }

    // Group receive against the instrument's own answer times (and one timeout per lost answer).
    for (const auto* name : { "BM_GroupReceive_WirePace", "BM_GroupReceive_Dropped" })
    {
        const auto wall = counter (name, "wall_ms"), instrument = counter (name, "instrument_ms");
        if (wall <= 0.0)
            continue;
        const auto dropped = std::string (name).find ("Dropped") != std::string::npos;
        const auto limit = dropped ? 1.05 : 1.02;
        const auto all = counter (name, "stored") == counter (name, "expected");
        row (dropped ? "group receive lossy / answers+timeouts" : "group receive / instrument answer time",
             wall, instrument, dropped ? "<= 1.05" : "<= 1.02", all && wall <= limit * instrument, "ms");
        if (! all)
            std::printf ("  %s stored %.0f of %.0f programs\n", name, counter (name, "stored"), counter (name, "expected"));
    }

    if (time ("BM_Scan_Morvex") > 0.0)
        row ("scan of the VST 2 module", time ("BM_Scan_Morvex") / 1.0e6, time ("BM_Scan_Bare") / 1.0e6, "<= 1.1",
             time ("BM_Scan_Morvex") <= 1.1 * time ("BM_Scan_Bare"), "ms");

    if (time ("BM_EditorOpen_Morvex") > 0.0)
        row ("editor open and first paint", time ("BM_EditorOpen_Morvex") / 1.0e6, time ("BM_EditorOpen_Generic") / 1.0e6,
             "<= 1.5", time ("BM_EditorOpen_Morvex") <= 1.5 * time ("BM_EditorOpen_Generic"), "ms");

    // The library's import against reading the same records without looking for duplicates, and
    // its rebuild at ten times the size, which a linear rebuild meets with room for the caches.
    if (time ("BM_LibraryImport") > 0.0)
        row ("library import 10,000 / plain read", time ("BM_LibraryImport") / 1.0e3, time ("BM_LibraryReadOnly") / 1.0e3,
             "<= 3", time ("BM_LibraryImport") <= 3.0 * time ("BM_LibraryReadOnly"), "us");

    if (time ("BM_LibraryRebuild_10000") > 0.0)
        row ("library rebuild 10,000 / 1,000 records", time ("BM_LibraryRebuild_10000") / 1.0e3,
             time ("BM_LibraryRebuild_1000") / 1.0e3, "<= 12",
             time ("BM_LibraryRebuild_10000") <= 12.0 * time ("BM_LibraryRebuild_1000"), "us");

    juce::File (home).deleteRecursively();
    return 0;
}
