#pragma once

#include "PluginHostFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <functional>

/** What every format of the plug-in must show a host: identity, MIDI, silence and an editor. */
class HostedPluginTest : public testing::Test
{
protected:
    virtual std::unique_ptr<juce::AudioPluginFormat> makeFormat() const = 0;
    virtual juce::String pluginPath() const = 0;

    void SetUp() override
    {
        // The plug-in finds the simulated instrument by the names in its ports file, in the home
        // this test process was given.
        const auto settings = juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory).getChildFile ("PluginSettings");
        settings.createDirectory();
        const char ports[] = "Simulated Prophet-5\x0fSimulated Prophet-5\x10NONE\x11" "0\x12";
        settings.getChildFile ("prophet5plports.dat").replaceWithData (ports, sizeof (ports) - 1);
        // every test starts from the settings of a fresh machine
        settings.getChildFile ("p5plugst.dat").deleteFile();

        format = makeFormat();
        hosted = scanAndOpen (*format, pluginPath());
        ASSERT_NE (hosted.instance, nullptr) << hosted.error;
    }

    /** Opens the plug-in again over settings of a fresh machine with one byte changed. */
    void reopenWithSetting (int offset, uint8_t value)
    {
        hosted.instance.reset();
        pumpMessages (20);

        // The 400-byte block a fresh machine gets, written out here so the test needs nothing of
        // the plug-in but the file's documented layout.
        std::array<uint8_t, 400> block {};
        const auto putInt = [&block] (int at, int v) { for (int i = 0; i < 4; ++i) block[(size_t) (at + i)] = (uint8_t) (v >> (24 - 8 * i)); };
        block[0] = block[1] = block[2] = 255;
        block[3] = 100;
        block[6] = 1;
        putInt (28, 1000);
        putInt (60, 1);
        putInt (68, 333);
        putInt (196, 402);
        block[222] = 100;
        block[(size_t) offset] = value;
        juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory)
            .getChildFile ("PluginSettings").getChildFile ("p5plugst.dat").replaceWithData (block.data(), block.size());

        hosted = scanAndOpen (*format, pluginPath());
        ASSERT_NE (hosted.instance, nullptr) << hosted.error;
    }

    /** The values of host parameters 0..58 as the host sees them. */
    static std::array<float, 59> valuesOf (juce::AudioPluginInstance& p)
    {
        std::array<float, 59> values {};
        for (int h = 0; h < 59; ++h)
            values[(size_t) h] = p.getParameters()[h]->getValue();
        return values;
    }

    /** The values another instance shows after restoring this one's state: what the state holds. */
    std::array<float, 59> valuesRestoredFrom (juce::AudioPluginInstance& p)
    {
        juce::MemoryBlock state;
        p.getStateInformation (state);
        auto other = scanAndOpen (*format, pluginPath());
        EXPECT_NE (other.instance, nullptr) << other.error;
        other.instance->setStateInformation (state.getData(), (int) state.getSize());
        pumpMessages (20);
        return valuesOf (*other.instance);
    }

    void process (int blocks)
    {
        auto& p = *hosted.instance;
        juce::AudioBuffer<float> buffer (2, 512);
        for (int i = 0; i < blocks; ++i)
        {
            juce::MidiBuffer midi;
            buffer.clear();
            p.processBlock (buffer, midi);
        }
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

    void checkParametersAndPrograms()
    {
        auto& p = *hosted.instance;
        const auto& parameters = p.getParameters();
        ASSERT_GE (parameters.size(), 59);

        const std::pair<int, const char*> names[] = {
            { 0, "PROGRAM" }, { 1, "VOLUME" }, { 2, "OSC A FREQ" }, { 19, "FILTER CUTOFF" }, { 21, "FILTER FLT KEYBOARD" },
            { 40, "AFTCH  FILTER" }, { 55, "VOICE COUNT" }, { 58, "UNISON ASSIGN" } };
        for (const auto& [index, name] : names)
            EXPECT_EQ (parameters[index]->getName (64), name) << index;

        juce::StringArray all;
        for (int h = 0; h < 59; ++h)
            all.addIfNotAlreadyThere (parameters[h]->getName (64));
        EXPECT_EQ (all.size(), 59) << "every name is its own";

        EXPECT_EQ (parameters[0]->getCurrentValueAsText(), "Disabled");
        EXPECT_EQ (parameters[2]->getCurrentValueAsText(), "C2");   // the initial program's oscillator A
        EXPECT_EQ (parameters[21]->getCurrentValueAsText(), "OFF");

        ASSERT_EQ (p.getNumPrograms(), 40);
        EXPECT_EQ (p.getProgramName (0), "Poly Brass");
        EXPECT_EQ (p.getProgramName (39), "Poly Synth");
    }

    /** Works on the plug-in's bank chunk inside a host's saved state, wherever the format keeps
        it: as it is (VST 2's bank file) or base64 inside the VST3 host's XML. `edit` gets the
        chunk's first byte; the state with the edited chunk is returned (empty if none was found). */
    static juce::MemoryBlock withChunk (const juce::MemoryBlock& state, const std::function<void (char*)>& edit)
    {
        const auto find = [] (juce::MemoryBlock& block) -> char*
        {
            const char* key = "Ph_5MorvexBankVersion100";
            auto* bytes = static_cast<char*> (block.getData());
            auto* at = std::search (bytes, bytes + block.getSize(), key, key + 24);
            return at == bytes + block.getSize() ? nullptr : at;
        };

        auto copy = state;
        if (auto* chunk = find (copy))
        {
            edit (chunk);
            return copy;
        }

        if (auto xml = juce::AudioProcessor::getXmlFromBinary (state.getData(), (int) state.getSize()))
            if (auto* component = xml->getChildByName ("IComponent"))
            {
                juce::MemoryBlock inner;
                inner.fromBase64Encoding (component->getAllSubText());
                if (auto* chunk = find (inner))
                {
                    edit (chunk);
                    component->deleteAllTextElements();
                    component->addTextElement (inner.toBase64Encoding());
                    juce::MemoryBlock result;
                    juce::AudioProcessor::copyXmlToBinary (*xml, result);
                    return result;
                }
            }

        return {};
    }

    static constexpr int program3Name = 24 + 3 * 128 + 65;

    void checkStateRoundTrip()
    {
        auto& p = *hosted.instance;
        juce::MemoryBlock state;
        p.getStateInformation (state);
        EXPECT_GE (state.getSize(), 5273u);

        const auto edited = withChunk (state, [] (char* chunk) { std::memcpy (chunk + program3Name, "Kept In Project ", 16); });
        ASSERT_GT (edited.getSize(), 0u) << "the plug-in's chunk is in the host's state";

        // Restored into another instance, the chunk comes back out of it (VST3 hosts keep program
        // names of their own, so the plug-in's own state is what tells).
        auto other = scanAndOpen (*format, pluginPath());
        ASSERT_NE (other.instance, nullptr) << other.error;
        other.instance->setStateInformation (edited.getData(), (int) edited.getSize());

        juce::MemoryBlock restored;
        other.instance->getStateInformation (restored);
        std::string name;
        withChunk (restored, [&] (char* chunk) { name.assign (chunk + program3Name, 16); });
        EXPECT_EQ (name, "Kept In Project ");
    }

    /** The host's own state calls: every parameter set, saved, moved, restored and read back. */
    void checkEveryParameterSurvivesTheProject()
    {
        auto& p = *hosted.instance;
        p.prepareToPlay (48000.0, 512);
        const auto initial = valuesOf (p);

        const auto setAll = [&] (float offset)
        {
            for (int h = 0; h < 59; ++h)
                p.getParameters()[h]->setValueNotifyingHost (std::fmod (offset + 0.137f * (float) h, 1.0f));
            process (4);
            pumpMessages (20);
        };

        setAll (0.2f);
        juce::MemoryBlock saved;
        p.getStateInformation (saved);
        const auto expected = valuesRestoredFrom (p);
        int moved = 0;
        for (int h = 0; h < 59; ++h)
            moved += expected[(size_t) h] != initial[(size_t) h] ? 1 : 0;
        EXPECT_GE (moved, 40) << "the values set reached the plug-in's state";

        setAll (0.65f);
        p.setStateInformation (saved.getData(), (int) saved.getSize());
        pumpMessages (20);
        const auto restored = valuesOf (p);
        for (int h = 0; h < 59; ++h)
            EXPECT_FLOAT_EQ (restored[(size_t) h], expected[(size_t) h]) << p.getParameters()[h]->getName (64);
        p.releaseResources();
    }

    /** A preset chosen by the host: the host then shows that preset's values. */
    void checkAPresetShowsItsValues()
    {
        auto& p = *hosted.instance;
        const auto before = valuesOf (p);
        p.setCurrentProgram (3);
        pumpMessages (50);

        const auto shown = valuesOf (p);
        const auto expected = valuesRestoredFrom (p);
        int changed = 0;
        for (int h = 0; h < 59; ++h)
        {
            EXPECT_FLOAT_EQ (shown[(size_t) h], expected[(size_t) h]) << p.getParameters()[h]->getName (64);
            changed += shown[(size_t) h] != before[(size_t) h] ? 1 : 0;
        }
        EXPECT_GE (changed, 20) << "preset 4 differs from the initial program";
        EXPECT_EQ (p.getCurrentProgram(), 3);
    }

    void checkAutomationReachesTheInstrument()
    {
        // A preset chosen below must stay off the instrument, or it would answer with that.
        reopenWithSetting (224, 1); // "Send Program Changes" off
        auto& p = *hosted.instance;
        constexpr int blockSize = 512;
        p.prepareToPlay (48000.0, blockSize);
        juce::AudioBuffer<float> buffer (2, blockSize);

        const auto process = [&] (juce::MidiBuffer& midi)
        {
            buffer.clear();
            p.processBlock (buffer, midi);
            juce::Thread::sleep (2); // about a block's time, so the plug-in's delayed sends come due
        };

        // Automate FILTER CUTOFF to 60: the plug-in sends NRPN 17 to the instrument. (The text is
        // read live from the plug-in; a VST3 host keeps values of its own.)
        auto* cutoff = p.getParameters()[19];
        cutoff->setValueNotifyingHost (0.5f);
        juce::MidiBuffer none;
        for (int i = 0; i < 10; ++i)
            process (none);
        EXPECT_EQ (cutoff->getCurrentValueAsText(), "60");

        // Make the plug-in forget it, then ask the instrument for its edit buffer through the host's
        // MIDI: the answer can only carry 60 if the NRPN reached the instrument.
        p.setCurrentProgram (1);
        for (int i = 0; i < 50 && cutoff->getCurrentValueAsText() == "60"; ++i)
            process (none);
        ASSERT_NE (cutoff->getCurrentValueAsText(), "60");

        juce::MidiBuffer request;
        const juce::uint8 editBufferRequest[] = { 0xF0, 0x01, 0x32, 0x06, 0xF7 };
        request.addEvent (editBufferRequest, 5, 0);
        process (request);

        for (int i = 0; i < 500 && cutoff->getCurrentValueAsText() != "60"; ++i)
            process (none);
        EXPECT_EQ (cutoff->getCurrentValueAsText(), "60");
        p.releaseResources();
    }

    std::unique_ptr<juce::AudioPluginFormat> format;
    HostedPlugin hosted;
};
