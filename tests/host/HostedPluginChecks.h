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

    /** Whether the host shows parameters and programs in the plug-in's order (an LV2 host knows
        them by name and may sort them). */
    virtual bool hostKeepsTheOrder() const { return true; }
    /** Whether the host asks the plug-in for a value's text (an LV2 host formats the number). */
    virtual bool hostShowsThePluginsText() const { return true; }
    /** Whether the host's description carries the plug-in's version (an LV2 host's does not). */
    virtual bool hostReadsTheVersion() const { return true; }

    /** The plug-in's 59 parameters, without those the framework adds, in the order the host
        shows them. */
    static std::vector<juce::AudioProcessorParameter*> ours (juce::AudioPluginInstance& p)
    {
        std::vector<juce::AudioProcessorParameter*> result;
        for (auto* parameter : p.getParameters())
            if (parameter->getName (64) != "Bypass" && parameter->getName (64) != "Program")
                result.push_back (parameter);
        return result;
    }

    static juce::AudioProcessorParameter* named (juce::AudioPluginInstance& p, const juce::String& name)
    {
        for (auto* parameter : p.getParameters())
            if (parameter->getName (64) == name)
                return parameter;
        ADD_FAILURE() << "no parameter named " << name;
        static juce::AudioParameterFloat none ("none", "none", 0.0f, 1.0f, 0.0f);
        return &none;
    }

    /** The values of the plug-in's 59 parameters as the host sees them. */
    static std::array<float, 59> valuesOf (juce::AudioPluginInstance& p)
    {
        std::array<float, 59> values {};
        const auto parameters = ours (p);
        EXPECT_EQ (parameters.size(), 59u);
        for (size_t h = 0; h < std::min (parameters.size(), values.size()); ++h)
            values[h] = parameters[h]->getValue();
        return values;
    }

    /** The values another instance shows after restoring this one's state: what the state holds. */
    std::array<float, 59> valuesRestoredFrom (juce::AudioPluginInstance& p)
    {
        juce::MemoryBlock state;
        p.getStateInformation (state);
        auto other = scanAndOpen (*format, pluginPath());
        EXPECT_NE (other.instance, nullptr) << other.error;
        other.instance->prepareToPlay (48000.0, 512);
        other.instance->setStateInformation (state.getData(), (int) state.getSize());
        pumpMessages (20);
        process (*other.instance, 4); // an LV2 host hears of values with the blocks
        return valuesOf (*other.instance);
    }

    void process (int blocks) { process (*hosted.instance, blocks); }

    static void process (juce::AudioPluginInstance& p, int blocks)
    {
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
        if (hostReadsTheVersion())
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

            // Notes and a controller the plug-in passes to the instrument: they are consumed, and
            // with nothing coming from the instrument the host gets nothing back.
            juce::MidiBuffer midi;
            midi.addEvent (juce::MidiMessage::noteOn (1, 60 + block, (juce::uint8) 100), 0);
            midi.addEvent (juce::MidiMessage::controllerEvent (1, 74, 20 + block), 100);
            midi.addEvent (juce::MidiMessage::noteOff (1, 60 + block), 200);
            p.processBlock (buffer, midi);

            for (int ch = 0; ch < p.getTotalNumOutputChannels(); ++ch)
                EXPECT_EQ (buffer.getMagnitude (ch, 0, blockSize), 0.0f) << "block " << block << " channel " << ch;
            EXPECT_EQ (midi.getNumEvents(), 0) << "block " << block;
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
        const auto parameters = ours (p);
        ASSERT_EQ (parameters.size(), 59u);
        p.prepareToPlay (48000.0, 512);
        process (2); // an LV2 host hears of values with the blocks

        juce::StringArray all;
        for (auto* parameter : parameters)
            all.addIfNotAlreadyThere (parameter->getName (64));
        EXPECT_EQ (all.size(), 59) << "every name is its own";

        const std::pair<int, const char*> names[] = {
            { 0, "PROGRAM" }, { 1, "VOLUME" }, { 2, "OSC A FREQ" }, { 19, "FILTER CUTOFF" }, { 21, "FILTER FLT KEYBOARD" },
            { 40, "AFTCH  FILTER" }, { 55, "VOICE COUNT" }, { 58, "UNISON ASSIGN" } };
        for (const auto& [index, name] : names)
            if (hostKeepsTheOrder())
                EXPECT_EQ (parameters[(size_t) index]->getName (64), name) << index;
            else
                EXPECT_TRUE (all.contains (name)) << name;

        // the initial program's values, as the host shows them
        const std::tuple<const char*, float, const char*> shown[] = {
            { "PROGRAM", 0.0f, "Disabled" }, { "OSC A FREQ", 0.4f, "C2" }, { "FILTER FLT KEYBOARD", 0.0f, "OFF" } };
        for (const auto& [name, value, text] : shown)
            if (hostShowsThePluginsText())
                EXPECT_EQ (named (p, name)->getCurrentValueAsText(), text) << name;
            else
                EXPECT_NEAR (named (p, name)->getValue(), value, 1.0e-4f) << name;

        ASSERT_EQ (p.getNumPrograms(), 40);
        juce::StringArray programs;
        for (int i = 0; i < 40; ++i)
            programs.add (p.getProgramName (i));
        if (hostKeepsTheOrder())
        {
            EXPECT_EQ (programs[0], "Poly Brass");
            EXPECT_EQ (programs[39], "Poly Synth");
        }
        EXPECT_TRUE (programs.contains ("Poly Brass") && programs.contains ("Poly Synth")) << programs.joinIntoString (", ");
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

        // An LV2 host's state: a preset in Turtle, the plug-in's state a base64 string inside.
        const auto text = state.toString();
        const juce::String key (":StateString> \"");
        const auto start = text.indexOf (key);
        if (start >= 0)
        {
            const auto from = start + key.length();
            const auto to = text.indexOf (from, "\"");
            juce::MemoryBlock inner;
            if (to > from && inner.fromBase64Encoding (text.substring (from, to)))
                if (auto* chunk = find (inner))
                {
                    edit (chunk);
                    const auto edited = text.substring (0, from) + inner.toBase64Encoding() + text.substring (to);
                    return { edited.toRawUTF8(), edited.getNumBytesAsUTF8() };
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

        // PROGRAM first, in blocks of its own: a program it loads would replace the others, and
        // a host orders the values of one block as it likes.
        const auto setAll = [&] (float offset)
        {
            const auto parameters = ours (p);
            for (auto program : { true, false })
            {
                for (size_t h = 0; h < parameters.size(); ++h)
                    if ((parameters[h]->getName (64) == "PROGRAM") == program)
                        parameters[h]->setValueNotifyingHost (std::fmod (offset + 0.137f * (float) h, 1.0f));
                process (4);
                pumpMessages (20);
            }
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
        process (4);
        const auto restored = valuesOf (p);
        for (int h = 0; h < 59; ++h)
            EXPECT_FLOAT_EQ (restored[(size_t) h], expected[(size_t) h]) << ours (p)[(size_t) h]->getName (64);
        p.releaseResources();
    }

    /** A preset chosen by the host: the host then shows that preset's values. */
    void checkAPresetShowsItsValues()
    {
        auto& p = *hosted.instance;
        p.prepareToPlay (48000.0, 512);
        process (2);
        const auto before = valuesOf (p);
        p.setCurrentProgram (3);
        pumpMessages (50);
        process (2);

        const auto shown = valuesOf (p);
        const auto expected = valuesRestoredFrom (p);
        int changed = 0;
        for (int h = 0; h < 59; ++h)
        {
            EXPECT_FLOAT_EQ (shown[(size_t) h], expected[(size_t) h]) << ours (p)[(size_t) h]->getName (64);
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
            pumpMessages (2); // about a block's time, for the plug-in's delayed sends and its timers
        };

        // Automate FILTER CUTOFF to 60: the plug-in sends NRPN 17 to the instrument. (The text is
        // read live from the plug-in where the host asks for it; a VST3 host keeps values of its
        // own, an LV2 host only those the plug-in reported.)
        auto* cutoff = named (p, "FILTER CUTOFF");
        const auto shows60 = [&]
        {
            return hostShowsThePluginsText() ? cutoff->getCurrentValueAsText() == "60" : std::abs (cutoff->getValue() - 0.5f) < 1.0e-4f;
        };
        cutoff->setValueNotifyingHost (0.5f);
        juce::MidiBuffer none;
        for (int i = 0; i < 10; ++i)
            process (none);
        EXPECT_TRUE (shows60());

        // Make the plug-in forget it, then ask the instrument for its edit buffer through the host's
        // MIDI: the answer can only carry 60 if the NRPN reached the instrument.
        // A preset whose cutoff is not 60, found by name: an LV2 host lists presets in an order
        // of its own. Not the current one either, which a host may select again right after
        // restoring a project without meaning to change the sound.
        int other = -1;
        for (int i = 0; i < p.getNumPrograms() && other < 0; ++i)
            if (const auto name = p.getProgramName (i); (name == "Brass Stab" || name == "Bell Keys") && i != p.getCurrentProgram())
                other = i;
        ASSERT_GE (other, 0);
        p.setCurrentProgram (other);
        // an LV2 host hears of the new values on the plug-in's own message thread: late, on a
        // loaded machine
        const auto processWhile = [&] (const std::function<bool()>& condition)
        {
            const auto end = juce::Time::getMillisecondCounter() + 10000;
            while (condition() && juce::Time::getMillisecondCounter() < end)
                process (none);
        };
        processWhile (shows60);
        ASSERT_FALSE (shows60());

        juce::MidiBuffer request;
        const juce::uint8 editBufferRequest[] = { 0xF0, 0x01, 0x32, 0x06, 0xF7 };
        request.addEvent (editBufferRequest, 5, 0);
        process (request);

        processWhile ([&] { return ! shows60(); });
        EXPECT_TRUE (shows60());
        p.releaseResources();
    }

    /** With "THRU: MIDI In Port -> Host" on, what the instrument plays comes out of the plug-in
        as MIDI for the host. The instrument is asked to play through the host's MIDI, which the
        plug-in passes on to it. */
    void checkTheInstrumentsNotesReachTheHost()
    {
        reopenWithSetting (10, 1);
        auto& p = *hosted.instance;
        constexpr int blockSize = 512;
        p.prepareToPlay (48000.0, blockSize);
        juce::AudioBuffer<float> buffer (2, blockSize);

        juce::MidiBuffer midi;
        const juce::uint8 play[] = { 0xF0, 0x7D, 64, 90, 67, 80, 64, 0, 67, 0, 0xF7 };
        midi.addEvent (play, (int) sizeof (play), 0);

        std::vector<std::vector<juce::uint8>> out;
        const auto end = juce::Time::getMillisecondCounter() + 5000;
        while (out.size() < 4 && juce::Time::getMillisecondCounter() < end)
        {
            p.processBlock (buffer, midi);
            for (const auto metadata : midi)
                out.emplace_back (metadata.data, metadata.data + metadata.numBytes);
            midi.clear();
            juce::Thread::sleep (2); // about a block's time
        }

        const std::vector<std::vector<juce::uint8>> expected { { 0x90, 64, 90 }, { 0x90, 67, 80 }, { 0x80, 64, 0 }, { 0x80, 67, 0 } };
        EXPECT_EQ (out, expected);
        p.releaseResources();
    }

    std::unique_ptr<juce::AudioPluginFormat> format;
    HostedPlugin hosted;
};
