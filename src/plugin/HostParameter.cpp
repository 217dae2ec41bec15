#include "plugin/HostParameter.h"
#include "plugin/MorvexAudioProcessor.h"

HostParameter::HostParameter (MorvexAudioProcessor& o, int index, const juce::String& id, const juce::String& hostName)
    : juce::AudioProcessorParameterWithID (juce::ParameterID { id, 1 }, hostName),
      owner (o),
      hostIndex (index)
{
}

float HostParameter::getValue() const
{
    return owner.hostValue (hostIndex);
}

void HostParameter::setValue (float newValue)
{
    owner.setHostValue (hostIndex, newValue);
}

juce::String HostParameter::getName (int maximumStringLength) const
{
    return name.substring (0, juce::jmax (0, maximumStringLength));
}

juce::String HostParameter::getText (float normalisedValue, int maximumStringLength) const
{
    return owner.hostValueText (hostIndex, normalisedValue).substring (0, juce::jmax (0, maximumStringLength));
}

float HostParameter::getValueForText (const juce::String& text) const
{
    return owner.hostValueForText (hostIndex, text);
}
