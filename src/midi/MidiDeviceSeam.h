#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

#include <memory>

/** An opened MIDI input: delivers to the callback it was opened with, between start and stop. */
class MidiInputPort
{
public:
    virtual ~MidiInputPort() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
};

/** An opened MIDI output, with the framework's timing model: messages sent as a block are held
    until their time comes and then delivered by the output's background thread; sendMessageNow
    delivers at once. */
class MidiOutputPort
{
public:
    virtual ~MidiOutputPort() = default;
    virtual void sendMessageNow (const juce::MidiMessage&) = 0;
    virtual void sendBlockOfMessages (const juce::MidiBuffer&, double millisecondCounterToStartAt,
                                      double samplesPerSecondForBuffer) = 0;
    virtual void clearAllPendingMessages() = 0;
    virtual void startBackgroundThread() = 0;
    virtual void stopBackgroundThread() = 0;
};

/** How the engine reaches MIDI devices: it never talks to the framework's MIDI classes itself.
    Indices are positions in the current name lists; opening returns nullptr on failure. */
class MidiDeviceSeam
{
public:
    virtual ~MidiDeviceSeam() = default;
    virtual juce::StringArray getInputNames() = 0;
    virtual juce::StringArray getOutputNames() = 0;
    virtual std::unique_ptr<MidiInputPort> openInput (int index, juce::MidiInputCallback* callback) = 0;
    virtual std::unique_ptr<MidiOutputPort> openOutput (int index) = 0;
};
