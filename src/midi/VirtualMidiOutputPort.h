#pragma once

#include "midi/MidiDeviceSeam.h"
#include "midi/VirtualMidiEndpoint.h"

#include <memory>
#include <vector>

/** An output port wired to an in-process device, timed like the framework's: block messages wait
    for their time and are delivered by the port's background thread. */
class VirtualMidiOutputPort final : public MidiOutputPort,
                                    private juce::Thread
{
public:
    explicit VirtualMidiOutputPort (std::shared_ptr<VirtualMidiEndpoint> device);
    ~VirtualMidiOutputPort() override;

    void sendMessageNow (const juce::MidiMessage&) override;
    void sendBlockOfMessages (const juce::MidiBuffer&, double millisecondCounterToStartAt,
                              double samplesPerSecondForBuffer) override;
    void clearAllPendingMessages() override;
    void startBackgroundThread() override;
    void stopBackgroundThread() override;

private:
    struct Pending
    {
        double time;
        juce::MidiMessage message;
    };

    void run() override;

    std::shared_ptr<VirtualMidiEndpoint> device;
    juce::CriticalSection lock;
    std::vector<Pending> pending; // ordered by time, earliest first
    juce::WaitableEvent wake;
};
