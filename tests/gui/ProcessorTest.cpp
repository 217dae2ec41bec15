#include "plugin/MorvexAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
using Set = juce::AudioChannelSet;

juce::AudioProcessor::BusesLayout layout (std::initializer_list<Set> ins, std::initializer_list<Set> outs)
{
    juce::AudioProcessor::BusesLayout l;
    for (auto& s : ins)  l.inputBuses.add (s);
    for (auto& s : outs) l.outputBuses.add (s);
    return l;
}
}

TEST (Processor, AcceptsOnlyTheLayoutItHas)
{
    MorvexAudioProcessor p;

    // A processor that said yes to everything would be handed 64 outputs by some VST 2 hosts.
    const struct { juce::AudioProcessor::BusesLayout layout; bool supported; const char* what; } cases[] = {
        { layout ({}, { Set::stereo() }),                 true,  "stereo out" },
        { layout ({}, { Set::mono() }),                   false, "mono out" },
        { layout ({}, { Set::create5point1() }),          false, "5.1 out" },
        { layout ({ Set::stereo() }, { Set::stereo() }),  false, "stereo in, stereo out" },
        { layout ({}, { Set::stereo(), Set::stereo() }),  false, "two outputs" },
        { layout ({}, {}),                                false, "no output" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (p.checkBusesLayoutSupported (c.layout), c.supported) << c.what;

    EXPECT_EQ (p.getTotalNumInputChannels(), 0);
    EXPECT_EQ (p.getTotalNumOutputChannels(), 2);
}

TEST (Processor, ClearsItsOutputsAndConsumesNothingElse)
{
    MorvexAudioProcessor p;
    p.prepareToPlay (48000.0, 256);

    juce::AudioBuffer<float> buffer (2, 256);
    for (int ch = 0; ch < 2; ++ch)
        juce::FloatVectorOperations::fill (buffer.getWritePointer (ch), 0.5f, 256);

    juce::MidiBuffer midi;
    p.processBlock (buffer, midi);

    EXPECT_EQ (buffer.getMagnitude (0, 0, 256), 0.0f);
    EXPECT_EQ (buffer.getMagnitude (1, 0, 256), 0.0f);
}

TEST (Processor, FollowsTheSampleRateBlockByBlock)
{
    MorvexAudioProcessor p;
    juce::AudioBuffer<float> buffer (2, 128);
    juce::MidiBuffer midi;

    const struct { double rate; int index; } cases[] = { { 22050, 0 }, { 48000, 1 }, { 96000, 3 }, { 192000, 5 }, { 44100, 0 } };
    for (const auto& c : cases)
    {
        // A host that changes the rate without preparing again.
        p.setRateAndBufferSizeDetails (c.rate, 128);
        p.processBlock (buffer, midi);
        EXPECT_EQ (p.getEngine().getSampleRate(), (int) c.rate);
        EXPECT_EQ (p.getEngine().getSampleRateIndex(), c.index) << c.rate;
        EXPECT_EQ (p.getEngine().getBlockSize(), 128);
    }
}

TEST (Processor, WithNoPortOpenHostMidiIsStillActedOnAndConsumed)
{
    MorvexAudioProcessor p;
    ASSERT_FALSE (p.getEngine().getPorts().isOutputOpen());
    p.setRateAndBufferSizeDetails (48000, 256);
    p.prepareToPlay (48000, 256);

    juce::AudioBuffer<float> buffer (2, 256);
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 90), 3);
    midi.addEvent (juce::MidiMessage::controllerEvent (1, 74, 5), 9);
    p.processBlock (buffer, midi);

    EXPECT_TRUE (midi.isEmpty());
    std::vector<int32_t> events;
    p.getEngine().drainEvents (events);
    EXPECT_EQ (events.size(), 2u);
}
