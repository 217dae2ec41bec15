#include "plugin/MorvexAudioProcessor.h"
#include "plugin/MorvexAudioProcessorEditor.h"

// A synth: no audio input, one stereo output that stays silent.
MorvexAudioProcessor::MorvexAudioProcessor()
    : juce::AudioProcessor (BusesProperties().withOutput ("Output", juce::AudioChannelSet::stereo(), true))
{
    setLatencySamples (0);
}

MorvexAudioProcessor::~MorvexAudioProcessor() = default;

const juce::String MorvexAudioProcessor::getName() const
{
    return "Prophet 5 Morvex";
}

void MorvexAudioProcessor::prepareToPlay (double, int)
{
    setLatencySamples (0);
}

void MorvexAudioProcessor::releaseResources() {}

bool MorvexAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    // Exactly what the plug-in has; a plug-in that accepted any layout would be offered 64
    // outputs by some VST 2 hosts.
    return layouts.inputBuses.isEmpty()
        && layouts.outputBuses.size() == 1
        && layouts.getMainOutputChannelSet() == juce::AudioChannelSet::stereo();
}

void MorvexAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    // The plug-in makes no sound of its own: clear what is output only, leave inputs untouched.
    const auto numSamples = buffer.getNumSamples();
    if (! buffer.hasBeenCleared())
        for (auto channel = getTotalNumInputChannels(); channel < getTotalNumOutputChannels(); ++channel)
            buffer.clear (channel, 0, numSamples);
}

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")

const juce::String MorvexAudioProcessor::getInputChannelName (int channelIndex) const
{
    return juce::String (channelIndex + 1);
}

const juce::String MorvexAudioProcessor::getOutputChannelName (int channelIndex) const
{
    return juce::String (channelIndex + 1);
}

bool MorvexAudioProcessor::isInputChannelStereoPair (int) const  { return true; }
bool MorvexAudioProcessor::isOutputChannelStereoPair (int) const { return true; }
bool MorvexAudioProcessor::silenceInProducesSilenceOut() const   { return true; }

JUCE_END_IGNORE_WARNINGS_GCC_LIKE

double MorvexAudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool MorvexAudioProcessor::acceptsMidi() const            { return true; }
bool MorvexAudioProcessor::producesMidi() const           { return true; }

juce::AudioProcessorEditor* MorvexAudioProcessor::createEditor()
{
    return new MorvexAudioProcessorEditor (*this);
}

bool MorvexAudioProcessor::hasEditor() const { return true; }

int MorvexAudioProcessor::getNumPrograms()                           { return 1; }
int MorvexAudioProcessor::getCurrentProgram()                        { return 0; }
void MorvexAudioProcessor::setCurrentProgram (int)                   {}
const juce::String MorvexAudioProcessor::getProgramName (int)        { return {}; }
void MorvexAudioProcessor::changeProgramName (int, const juce::String&) {}

void MorvexAudioProcessor::getStateInformation (juce::MemoryBlock&) {}
void MorvexAudioProcessor::setStateInformation (const void*, int) {}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new MorvexAudioProcessor();
}
