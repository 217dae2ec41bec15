#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

class MorvexAudioProcessor;

/** One of the 59 host parameters as the framework's wrappers see it: a stable ID (which LV2 also
    makes its symbol) and the processor's own host-parameter operations behind it. Values, texts,
    rounding and the no-op for an unchanged value are the processor's. */
class HostParameter final : public juce::AudioProcessorParameterWithID
{
public:
    HostParameter (MorvexAudioProcessor& owner, int hostIndex, const juce::String& id, const juce::String& hostName);

    float getValue() const override;
    void setValue (float newValue) override;
    float getDefaultValue() const override { return 0.0f; }
    juce::String getName (int maximumStringLength) const override;
    juce::String getText (float normalisedValue, int maximumStringLength) const override;
    float getValueForText (const juce::String& text) const override;

private:
    MorvexAudioProcessor& owner;
    const int hostIndex;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HostParameter)
};
