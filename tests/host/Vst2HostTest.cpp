#include "HostedPluginChecks.h"

#include <dlfcn.h>

namespace
{
class Vst2Plugin : public HostedPluginTest
{
protected:
    std::unique_ptr<juce::AudioPluginFormat> makeFormat() const override { return std::make_unique<juce::VSTPluginFormat>(); }
    juce::String pluginPath() const override { return MORVEX_VST2_PLUGIN; }
};
}

TEST_F (Vst2Plugin, ShowsItsIdentityToTheHost)    { checkIdentity(); }
TEST_F (Vst2Plugin, OutputsSilenceWhateverComesIn) { checkNoiseInSilenceOut(); }
TEST_F (Vst2Plugin, EditorOpensAndCloses)          { checkEditorOpensAndCloses(); }
TEST_F (Vst2Plugin, ParametersAndPrograms)         { checkParametersAndPrograms(); }
TEST_F (Vst2Plugin, StateSurvivesTheProject)       { checkStateRoundTrip(); }
TEST_F (Vst2Plugin, AutomationReachesTheInstrument) { checkAutomationReachesTheInstrument(); }

TEST (Vst2Module, ExportsTheEntryPointHostsLookFor)
{
    auto* module = dlopen (MORVEX_VST2_PLUGIN, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE (module, nullptr) << dlerror();
    EXPECT_NE (dlsym (module, "VSTPluginMain"), nullptr);
    dlclose (module);
}
