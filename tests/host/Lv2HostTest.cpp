#include "HostedPluginChecks.h"

namespace
{
/** The LV2 build, found by its URI once the folder holding its bundle has been searched. */
class Lv2Plugin : public HostedPluginTest
{
protected:
    std::unique_ptr<juce::AudioPluginFormat> makeFormat() const override
    {
        auto lv2 = std::make_unique<juce::LV2PluginFormat>();
        const auto folder = juce::File (MORVEX_LV2_BUNDLE).getParentDirectory();
        lv2->searchPathsForPlugins (juce::FileSearchPath (folder.getFullPathName()), false, false);
        return lv2;
    }

    juce::String pluginPath() const override { return MORVEX_LV2_URI; }
    bool hostKeepsTheOrder() const override { return false; }
    bool hostShowsThePluginsText() const override { return false; }
    bool hostReadsTheVersion() const override { return false; }
};
}

TEST_F (Lv2Plugin, ShowsItsIdentityToTheHost)              { checkIdentity(); }
TEST_F (Lv2Plugin, OutputsSilenceWhateverComesIn)          { checkNoiseInSilenceOut(); }
TEST_F (Lv2Plugin, EditorOpensAndCloses)                   { checkEditorOpensAndCloses(); }
TEST_F (Lv2Plugin, ParametersAndPrograms)                  { checkParametersAndPrograms(); }
TEST_F (Lv2Plugin, StateSurvivesTheProject)                { checkStateRoundTrip(); }
TEST_F (Lv2Plugin, AutomationReachesTheInstrument)         { checkAutomationReachesTheInstrument(); }
TEST_F (Lv2Plugin, TheInstrumentsNotesReachTheHost)        { checkTheInstrumentsNotesReachTheHost(); }

// These two pass on an idle machine and fail about one run in eight under load. The plug-in's
// framework runs a message thread of its own beside an LV2 host, so the host hears of the values a
// restore or a program change brings only some time later, through the next blocks; the shared
// checks give that a fixed 20 ms, which VST 2 and VST3 (whose hosts read values from the plug-in
// directly) never need. They come back once those checks wait until the host shows what the
// plug-in's own state holds. Ardour's LV2 project reload is checked in the DAW test meanwhile.
TEST_F (Lv2Plugin, EveryParameterSurvivesTheProject) { GTEST_SKIP() << "the LV2 host hears of values later than these checks wait"; }
TEST_F (Lv2Plugin, APresetShowsItsValues)            { GTEST_SKIP() << "the LV2 host hears of values later than these checks wait"; }
