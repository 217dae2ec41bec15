#pragma once

#include "midi/MidiDeviceSeam.h"
#include "midi/VirtualMidiEndpoint.h"

#include <memory>
#include <vector>

/** The devices the engine can open: the computer's MIDI ports (through the framework), followed
    by in-process devices such as the simulated instrument. Each list is read afresh every time,
    so a device that comes or goes is seen at the next look. */
class MidiDevices final : public MidiDeviceSeam
{
public:
    /** The plug-in's devices: the computer's ports and, last, the shared simulated instrument. */
    static std::shared_ptr<MidiDevices> standard();

    explicit MidiDevices (bool includeSystemDevices);

    void addVirtualDevice (std::shared_ptr<VirtualMidiEndpoint> device);
    void setVirtualDevices (std::vector<std::shared_ptr<VirtualMidiEndpoint>> devices);

    juce::StringArray getInputNames() override;
    juce::StringArray getOutputNames() override;
    std::unique_ptr<MidiInputPort> openInput (int index, juce::MidiInputCallback* callback) override;
    std::unique_ptr<MidiOutputPort> openOutput (int index) override;

private:
    std::shared_ptr<VirtualMidiEndpoint> virtualDevice (int index, int numSystemDevices) const;

    const bool includeSystem;
    juce::CriticalSection lock;
    std::vector<std::shared_ptr<VirtualMidiEndpoint>> virtualDevices;
};
