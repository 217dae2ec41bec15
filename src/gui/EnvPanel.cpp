#include "gui/EnvPanel.h"
#include "gui/Artwork.h"

EnvPanel::EnvPanel (const juce::Image& background)
    : filter (filterSection, background), amplifier (amplifierSection, background)
{
    filter.setTopLeftPosition (40, 18);
    amplifier.setTopLeftPosition (280, 18);
    addAndMakeVisible (filter);
    addAndMakeVisible (amplifier);
    setSize (500, 100);
}

void EnvPanel::refresh (const ProgramSysex::Record& record)
{
    for (auto* graph : { &filter, &amplifier })
    {
        const auto first = firstFilterParameter + (graph == &amplifier ? 1 : 0);
        for (int stage = 0; stage < 4; ++stage)
            graph->setStage (stage, record[(size_t) (first + 2 * stage)]);
        graph->recompute();
    }
}

void EnvPanel::paint (juce::Graphics& g)
{
    g.setColour (juce::Colour (0xffdddddd));
    g.setFont (Artwork::arial (11.0f, true));
    g.drawText ("FILTER  ENVELOPE", 25, 2, 232, 14, juce::Justification::centred, false);
    g.drawText ("AMPLIFIER  ENVELOPE", 265, 2, 232, 14, juce::Justification::centred, false);
}
