// The program library at sizes far beyond a hand-kept collection: an import must stay close to the
// cost of merely reading the file, and rebuilding the list must grow with the library, no faster.
#include "librarian/LibraryFile.h"
#include "librarian/LibraryModel.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace
{
constexpr int importSize = 10000;

std::vector<ProgramSysex::Record> distinctRecords (int count)
{
    std::vector<ProgramSysex::Record> records ((size_t) count);
    for (int i = 0; i < count; ++i)
    {
        auto& r = records[(size_t) i];
        for (size_t b = 0; b < r.size(); ++b)
            r[b] = (uint8_t) ((b * 11 + (size_t) i) & 0x7F);
        std::memcpy (r.data() + 100, &i, sizeof (i)); // past the name and the category
        r[LibraryModel::categoryOffset] = (uint8_t) (i % 20);
    }
    return records;
}

const juce::MemoryBlock& importFile()
{
    static const auto file = LibraryFile::write (distinctRecords (importSize));
    return file;
}

// No default file is read, so none is written when the model goes.
juce::File nowhere() { return juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("morvex-bench-unused.p5_l"); }

void BM_LibraryImport (benchmark::State& state)
{
    const auto& file = importFile();
    for (auto _ : state)
    {
        LibraryModel model (nowhere());
        if (model.loadLibraryFile (file.getData(), file.getSize(), ProgramFile::Form::own) != LibraryModel::Merge::replaced
            || model.size() != importSize)
        {
            state.SkipWithError ("the import lost records");
            return;
        }
        benchmark::DoNotOptimize (model.records().data());
    }
}
BENCHMARK (BM_LibraryImport)->Unit (benchmark::kMicrosecond);

// The yardstick: the same file's records read as they are, no duplicates looked for.
void BM_LibraryReadOnly (benchmark::State& state)
{
    const auto& file = importFile();
    for (auto _ : state)
    {
        auto records = LibraryFile::read (file.getData(), file.getSize());
        benchmark::DoNotOptimize (records.data());
    }
}
BENCHMARK (BM_LibraryReadOnly)->Unit (benchmark::kMicrosecond);

// Choosing a category rebuilds the rows (one category shown) and every count.
void BM_LibraryRebuild (benchmark::State& state)
{
    LibraryModel model (nowhere());
    model.loadGroupFile (distinctRecords ((int) state.range (0)));
    int cell = 0;
    for (auto _ : state)
    {
        model.chooseCell (cell);
        cell = (cell + 1) % LibraryModel::chooserCategories;
        benchmark::DoNotOptimize (model.view().data());
    }
}
BENCHMARK (BM_LibraryRebuild)->Name ("BM_LibraryRebuild_1000")->Arg (1000)->Unit (benchmark::kMicrosecond);
BENCHMARK (BM_LibraryRebuild)->Name ("BM_LibraryRebuild_10000")->Arg (10000)->Unit (benchmark::kMicrosecond);
}
