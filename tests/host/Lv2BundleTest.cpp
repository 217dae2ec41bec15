#include <juce_core/juce_core.h>

#include <gtest/gtest.h>

// LV2 hosts find a plug-in by the URI its bundle's manifest declares; a product name in its place
// (which the framework falls back to) leaves the plug-in unopenable.
TEST (Lv2Bundle, DeclaresThePluginUnderItsUri)
{
    const juce::File bundle (MORVEX_LV2_BUNDLE);
    const auto manifest = bundle.getChildFile ("manifest.ttl").loadFileAsString();
    ASSERT_TRUE (manifest.isNotEmpty()) << "no manifest in " << bundle.getFullPathName();

    const juce::String uri (MORVEX_LV2_URI);
    EXPECT_TRUE (uri.startsWith ("https://"));
    EXPECT_TRUE (manifest.contains ("<" + uri + ">\n\ta lv2:Plugin ;")) << manifest;
    EXPECT_TRUE (bundle.getChildFile ("dsp.ttl").existsAsFile());
}
