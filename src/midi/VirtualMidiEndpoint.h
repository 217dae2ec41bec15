#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

/** A MIDI device that lives inside the process (the simulated instrument): what the system's
    output port sends arrives in receive(); what the device says goes to the input callback that
    is connected, on a thread of the device's own, as a driver would deliver it. */
class VirtualMidiEndpoint
{
public:
    virtual ~VirtualMidiEndpoint() = default;

    virtual juce::String getDeviceName() const = 0;

    /** A listed device that cannot be opened (unplugged, busy) answers false. */
    virtual bool isAvailable() const { return true; }

    /** Bytes from the system's output port, one delivery at a time (a whole message, or a piece of
        a long SysEx). Called on the output's thread or the sender's. */
    virtual void receive (const juce::MidiMessage& delivery) = 0;

    virtual void connectInput (juce::MidiInputCallback* callback) = 0;
    virtual void disconnectInput (juce::MidiInputCallback* callback) = 0;
};
