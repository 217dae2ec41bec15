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

// LV2 hosts know a parameter by the symbol of its IRI: 59 parameters, each its own and valid, under
// the names the other formats show.
TEST (Lv2Bundle, DeclaresFiftyNineParametersWithTheirOwnSymbols)
{
    const auto dsp = juce::File (MORVEX_LV2_BUNDLE).getChildFile ("dsp.ttl").loadFileAsString();
    ASSERT_TRUE (dsp.isNotEmpty());

    juce::StringArray symbols, labels;
    const auto lines = juce::StringArray::fromLines (dsp);
    for (int i = 0; i + 2 < lines.size(); ++i)
        if (lines[i].startsWith ("plug:") && lines[i + 1].trim() == "a lv2:Parameter ;")
        {
            symbols.add (lines[i].fromFirstOccurrenceOf ("plug:", false, false).trim());
            labels.add (lines[i + 2].fromFirstOccurrenceOf ("\"", false, false).upToLastOccurrenceOf ("\"", false, false));
        }

    ASSERT_EQ (symbols.size(), 59);
    EXPECT_EQ (labels[0], "PROGRAM");
    EXPECT_EQ (labels[19], "FILTER CUTOFF");
    EXPECT_EQ (labels[58], "UNISON ASSIGN");

    juce::StringArray distinct (symbols);
    distinct.removeDuplicates (false);
    EXPECT_EQ (distinct.size(), 59);
    for (const auto& symbol : symbols)
    {
        EXPECT_TRUE (symbol.containsOnly ("abcdefghijklmnopqrstuvwxyz0123456789_")) << symbol;
        EXPECT_FALSE (juce::CharacterFunctions::isDigit (symbol[0])) << symbol;
    }
    EXPECT_EQ (symbols[19], "filter_cutoff");
}
