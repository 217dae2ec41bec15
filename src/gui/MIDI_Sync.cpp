#include "gui/MIDI_Sync.h"
#include "gui/Artwork.h"

MIDI_Sync::MIDI_Sync()
{
    slider.setTopLeftPosition (60, 52);
    slider.addChangeListener (this);
    addAndMakeVisible (slider);
    setSize (width, height);
}

MIDI_Sync::~MIDI_Sync()
{
    slider.removeChangeListener (this);
}

juce::String MIDI_Sync::rateText (int index)
{
    static const char* const rates[] = { "44100 Hz", "48000 Hz", "88200 Hz", "96000 Hz", "176400 Hz", "192000 Hz" };
    return juce::isPositiveAndBelow (index, 6) ? rates[index] : "";
}

void MIDI_Sync::showLatency (int newMode, int sampleRateIndex, const Delays& newDelays)
{
    mode = newMode;
    rateIndex = sampleRateIndex;
    delays = newDelays;
    slider.setValue (juce::isPositiveAndBelow (rateIndex, 6) ? delays[(size_t) rateIndex] : 0);
    repaint();
}

void MIDI_Sync::changeListenerCallback (juce::ChangeBroadcaster*)
{
    if (currentRateIndex && currentRateIndex() != rateIndex)
    {
        rateIndex = currentRateIndex();
        repaint();
    }

    // only a rate the engine knows has a delay of its own to change
    if (! juce::isPositiveAndBelow (rateIndex, 6))
        return;

    delays[(size_t) rateIndex] = slider.getValue();
    sendSynchronousChangeMessage();
}

void MIDI_Sync::paint (juce::Graphics& g)
{
    g.setColour (juce::Colour (0xffdddddd));
    g.setFont (Artwork::arial (13.0f, true));
    g.drawText ("Latency settings:", 0, 0, width, 18, juce::Justification::centredLeft, false);
    g.setFont (Artwork::arial (13.0f));
    g.drawText ("S.Rate: " + rateText (rateIndex), 0, 24, width, 18, juce::Justification::centredLeft, false);
    g.drawText ("Delay:", 0, 52, 56, 18, juce::Justification::centredLeft, false);
}
