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
