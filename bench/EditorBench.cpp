// Opening the editor: built for the processor and painted once at its own size, next to the
// framework's generic editor for the same processor.
#include "BenchSupport.h"

namespace
{
void paintOnce (juce::Component& editor)
{
    auto image = editor.createComponentSnapshot (editor.getLocalBounds());
    benchmark::DoNotOptimize (image.getWidth());
}

void BM_EditorOpen_Generic (benchmark::State& state)
{
    BenchRig rig;
    {
        // once untimed, as for ours: the process's first text loads the fonts
        juce::GenericAudioProcessorEditor editor (*rig.processor);
        editor.setSize (1000, 644);
        paintOnce (editor);
    }
    for (auto _ : state)
    {
        juce::GenericAudioProcessorEditor editor (*rig.processor);
        editor.setSize (1000, 644);
        paintOnce (editor);
    }
}

void BM_EditorOpen_Morvex (benchmark::State& state)
{
    BenchRig rig;
    // Reopened at the generic editor's size, so both paint the same area: a first opening
    // would fit the whole panel to whatever screen the benchmark runs on.
    auto& settings = rig.engine().getSettings();
    settings.setInt (SettingsBlock::windowWidthOffset, 1000);
    settings.setInt (SettingsBlock::windowHeightOffset, 644);
    {
        // Once untimed: the first editor of a process loads the fonts, draws the panel's printing
        // and shows About, which a short run would otherwise count as every opening's cost.
        std::unique_ptr<juce::AudioProcessorEditor> editor (rig.processor->createEditor());
        paintOnce (*editor);
    }
    for (auto _ : state)
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (rig.processor->createEditor());
        paintOnce (*editor);
    }
}
}

BENCHMARK (BM_EditorOpen_Generic)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_EditorOpen_Morvex)->Unit (benchmark::kMillisecond);
