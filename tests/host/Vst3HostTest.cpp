#include "HostedPluginChecks.h"

namespace
{
class Vst3Plugin : public HostedPluginTest
{
protected:
    std::unique_ptr<juce::AudioPluginFormat> makeFormat() const override { return std::make_unique<juce::VST3PluginFormat>(); }
    juce::String pluginPath() const override { return MORVEX_VST3_PLUGIN; }
};
}

TEST_F (Vst3Plugin, ShowsItsIdentityToTheHost)    { checkIdentity(); }
TEST_F (Vst3Plugin, OutputsSilenceWhateverComesIn) { checkNoiseInSilenceOut(); }
TEST_F (Vst3Plugin, EditorOpensAndCloses)          { checkEditorOpensAndCloses(); }
TEST_F (Vst3Plugin, ParametersAndPrograms)         { checkParametersAndPrograms(); }
TEST_F (Vst3Plugin, StateSurvivesTheProject)       { checkStateRoundTrip(); }
TEST_F (Vst3Plugin, AutomationReachesTheInstrument) { checkAutomationReachesTheInstrument(); }
TEST_F (Vst3Plugin, TheInstrumentsNotesReachTheHost) { checkTheInstrumentsNotesReachTheHost(); }
TEST_F (Vst3Plugin, EveryParameterSurvivesTheProject) { checkEveryParameterSurvivesTheProject(); }
TEST_F (Vst3Plugin, APresetShowsItsValues)            { checkAPresetShowsItsValues(); }

// VST3 hosts store automation and values by parameter number: the numbers are the indices, and
// must never move.
TEST_F (Vst3Plugin, ParameterNumbersAreTheIndices)
{
    const auto& parameters = hosted.instance->getParameters();
    ASSERT_GE (parameters.size(), 59);
    for (int h = 0; h < 59; ++h)
    {
        auto* hostedParameter = dynamic_cast<juce::HostedAudioProcessorParameter*> (parameters[h]);
        ASSERT_NE (hostedParameter, nullptr);
        EXPECT_EQ (hostedParameter->getParameterID(), juce::String (h)) << parameters[h]->getName (64);
    }

    // after them the framework's own: bypass, then the program list
    juce::StringArray rest;
    for (int i = 59; i < parameters.size(); ++i)
        if (auto* hostedParameter = dynamic_cast<juce::HostedAudioProcessorParameter*> (parameters[i]))
            rest.add (hostedParameter->getParameterID() + "=" + parameters[i]->getName (64));
    EXPECT_EQ (rest.joinIntoString (", "), "59=Bypass, 60=Program");
}
