#pragma once

#include "PluginHostFixture.h"

#include <gtest/gtest.h>

/** What every format of the plug-in must show a host: identity, MIDI, silence and an editor. */
class HostedPluginTest : public testing::Test
{
protected:
    virtual std::unique_ptr<juce::AudioPluginFormat> makeFormat() const = 0;
    virtual juce::String pluginPath() const = 0;

    void SetUp() override
    {
        format = makeFormat();
        hosted = scanAndOpen (*format, pluginPath());
        ASSERT_NE (hosted.instance, nullptr) << hosted.error;
    }

    void TearDown() override
    {
        hosted.instance.reset();
        pumpMessages (20);
    }

    void checkIdentity()
    {
        const auto& d = hosted.description;
        EXPECT_EQ (d.name, "Prophet 5 Morvex");
        EXPECT_EQ (d.manufacturerName, "Harrowmead");
        EXPECT_TRUE (d.isInstrument);
        EXPECT_TRUE (d.version.startsWith ("1.4.0")) << d.version; // VST 2 adds a fourth part

        auto& p = *hosted.instance;
        EXPECT_EQ (p.getName(), "Prophet 5 Morvex");
        EXPECT_TRUE (p.acceptsMidi());
        EXPECT_TRUE (p.producesMidi());
        EXPECT_TRUE (p.hasEditor());
        EXPECT_EQ (p.getTotalNumInputChannels(), 0);
        EXPECT_EQ (p.getTotalNumOutputChannels(), 2);
        EXPECT_EQ (p.getLatencySamples(), 0);
        EXPECT_EQ (p.getTailLengthSeconds(), 0.0);
    }

    void checkNoiseInSilenceOut()
    {
        auto& p = *hosted.instance;
        constexpr int blockSize = 512;
        p.prepareToPlay (48000.0, blockSize);
        EXPECT_EQ (p.getLatencySamples(), 0);

        // Whatever the host leaves in the buffers, the plug-in's outputs come back silent, and
        // host MIDI never comes back unchanged.
        juce::Random random (42);
        const auto channels = juce::jmax (2, p.getTotalNumInputChannels(), p.getTotalNumOutputChannels());
        juce::AudioBuffer<float> buffer (channels, blockSize);

        for (int block = 0; block < 4; ++block)
        {
            for (int ch = 0; ch < channels; ++ch)
                for (int i = 0; i < blockSize; ++i)
                    buffer.setSample (ch, i, random.nextFloat() * 2.0f - 1.0f);

            juce::MidiBuffer midi;
            p.processBlock (buffer, midi);

            for (int ch = 0; ch < p.getTotalNumOutputChannels(); ++ch)
                EXPECT_EQ (buffer.getMagnitude (ch, 0, blockSize), 0.0f) << "block " << block << " channel " << ch;
        }

        p.releaseResources();
    }

    void checkEditorOpensAndCloses()
    {
        auto& p = *hosted.instance;
        std::unique_ptr<juce::AudioProcessorEditor> editor (p.createEditorIfNeeded());
        ASSERT_NE (editor, nullptr);

        // Shown in a real window, as a host shows it, so the plug-in builds its own window too.
        editor->addToDesktop (juce::ComponentPeer::windowHasTitleBar);
        editor->setVisible (true);
        pumpMessages (300);

        EXPECT_GE (editor->getWidth(), 454);
        EXPECT_LE (editor->getWidth(), 2426);
        EXPECT_GE (editor->getHeight(), 298);
        EXPECT_LE (editor->getHeight(), 644);

        editor->setVisible (false);
        editor.reset();
        pumpMessages (100);
        EXPECT_EQ (p.getActiveEditor(), nullptr);
    }

    std::unique_ptr<juce::AudioPluginFormat> format;
    HostedPlugin hosted;
};
