#include "HostedPluginChecks.h"

#include <pluginterfaces/vst2.x/aeffectx.h>

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
TEST_F (Vst2Plugin, TheInstrumentsNotesReachTheHost) { checkTheInstrumentsNotesReachTheHost(); }

TEST (Vst2Module, ExportsTheEntryPointHostsLookFor)
{
    auto* module = dlopen (MORVEX_VST2_PLUGIN, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE (module, nullptr) << dlerror();
    EXPECT_NE (dlsym (module, "VSTPluginMain"), nullptr);
    dlclose (module);
}
TEST_F (Vst2Plugin, EveryParameterSurvivesTheProject) { checkEveryParameterSurvivesTheProject(); }
TEST_F (Vst2Plugin, APresetShowsItsValues)            { checkAPresetShowsItsValues(); }

// A host built on the original interface reads the pins' flags: one active stereo pair out.
TEST_F (Vst2Plugin, ReportsOneActiveStereoOutputPair)
{
    struct Effect final : juce::ExtensionsVisitor
    {
        void visitVSTClient (const VSTClient& client) override { effect = static_cast<AEffect*> (client.getAEffectPtr()); }
        AEffect* effect = nullptr;
    } visitor;
    hosted.instance->getExtensions (visitor);
    auto* effect = visitor.effect;
    ASSERT_NE (effect, nullptr);
    EXPECT_EQ (effect->numOutputs, 2);

    // Active both; the left one says it begins a stereo pair.
    const int expected[] = { kVstPinIsActive | kVstPinIsStereo, kVstPinIsActive };
    for (int pin = 0; pin < 2; ++pin)
    {
        VstPinProperties properties {};
        ASSERT_EQ (effect->dispatcher (effect, effGetOutputProperties, pin, 0, &properties, 0.0f), 1) << pin;
        EXPECT_EQ (properties.flags & (kVstPinIsActive | kVstPinIsStereo), expected[pin]) << pin;
    }
    EXPECT_EQ ((int) kVstPinIsActive, 1);
    EXPECT_EQ ((int) kVstPinIsStereo, 2);
    EXPECT_EQ ((int) kVstPinUseSpeaker, 4);
}
