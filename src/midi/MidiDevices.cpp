#include "midi/MidiDevices.h"
#include "midi/SimulatedProphet.h"
#include "midi/VirtualMidiOutputPort.h"

namespace
{
class SystemInputPort final : public MidiInputPort
{
public:
    explicit SystemInputPort (std::unique_ptr<juce::MidiInput> in) : input (std::move (in)) {}
    void start() override { input->start(); }
    void stop() override  { input->stop(); }

private:
    std::unique_ptr<juce::MidiInput> input;
};

class SystemOutputPort final : public MidiOutputPort
{
public:
    explicit SystemOutputPort (std::unique_ptr<juce::MidiOutput> out) : output (std::move (out)) {}
    void sendMessageNow (const juce::MidiMessage& m) override { output->sendMessageNow (m); }
    void sendBlockOfMessages (const juce::MidiBuffer& b, double start, double rate) override { output->sendBlockOfMessages (b, start, rate); }
    void clearAllPendingMessages() override { output->clearAllPendingMessages(); }
    void startBackgroundThread() override   { output->startBackgroundThread(); }
    void stopBackgroundThread() override    { output->stopBackgroundThread(); }

private:
    std::unique_ptr<juce::MidiOutput> output;
};

class VirtualInputPort final : public MidiInputPort
{
public:
    VirtualInputPort (std::shared_ptr<VirtualMidiEndpoint> d, juce::MidiInputCallback* cb)
        : device (std::move (d)), callback (cb) {}
    ~VirtualInputPort() override { stop(); }

    void start() override { device->connectInput (callback); }
    void stop() override  { device->disconnectInput (callback); }

private:
    std::shared_ptr<VirtualMidiEndpoint> device;
    juce::MidiInputCallback* callback;
};

juce::StringArray namesOf (const juce::Array<juce::MidiDeviceInfo>& devices)
{
    juce::StringArray names;
    for (const auto& d : devices)
        names.add (d.name);
    return names;
}
}

std::shared_ptr<MidiDevices> MidiDevices::standard()
{
    auto devices = std::make_shared<MidiDevices> (true);
    devices->addVirtualDevice (SimulatedProphet::shared());
    return devices;
}

MidiDevices::MidiDevices (bool includeSystemDevices) : includeSystem (includeSystemDevices) {}

void MidiDevices::addVirtualDevice (std::shared_ptr<VirtualMidiEndpoint> device)
{
    const juce::ScopedLock sl (lock);
    virtualDevices.push_back (std::move (device));
}

void MidiDevices::setVirtualDevices (std::vector<std::shared_ptr<VirtualMidiEndpoint>> devices)
{
    const juce::ScopedLock sl (lock);
    virtualDevices = std::move (devices);
}

std::shared_ptr<VirtualMidiEndpoint> MidiDevices::virtualDevice (int index, int numSystemDevices) const
{
    const auto v = index - numSystemDevices;
    return juce::isPositiveAndBelow (v, (int) virtualDevices.size()) ? virtualDevices[(size_t) v] : nullptr;
}

juce::StringArray MidiDevices::getInputNames()
{
    auto names = includeSystem ? namesOf (juce::MidiInput::getAvailableDevices()) : juce::StringArray();
    const juce::ScopedLock sl (lock);
    for (const auto& d : virtualDevices)
        names.add (d->getDeviceName());
    return names;
}

juce::StringArray MidiDevices::getOutputNames()
{
    auto names = includeSystem ? namesOf (juce::MidiOutput::getAvailableDevices()) : juce::StringArray();
    const juce::ScopedLock sl (lock);
    for (const auto& d : virtualDevices)
        names.add (d->getDeviceName());
    return names;
}

std::unique_ptr<MidiInputPort> MidiDevices::openInput (int index, juce::MidiInputCallback* callback)
{
    const auto system = includeSystem ? juce::MidiInput::getAvailableDevices() : juce::Array<juce::MidiDeviceInfo>();
    if (juce::isPositiveAndBelow (index, system.size()))
    {
        if (auto input = juce::MidiInput::openDevice (system[index].identifier, callback))
            return std::make_unique<SystemInputPort> (std::move (input));
        return nullptr;
    }

    const juce::ScopedLock sl (lock);
    if (auto device = virtualDevice (index, system.size()); device != nullptr && device->isAvailable())
        return std::make_unique<VirtualInputPort> (std::move (device), callback);
    return nullptr;
}

std::unique_ptr<MidiOutputPort> MidiDevices::openOutput (int index)
{
    const auto system = includeSystem ? juce::MidiOutput::getAvailableDevices() : juce::Array<juce::MidiDeviceInfo>();
    if (juce::isPositiveAndBelow (index, system.size()))
    {
        if (auto output = juce::MidiOutput::openDevice (system[index].identifier))
            return std::make_unique<SystemOutputPort> (std::move (output));
        return nullptr;
    }

    const juce::ScopedLock sl (lock);
    if (auto device = virtualDevice (index, system.size()); device != nullptr && device->isAvailable())
        return std::make_unique<VirtualMidiOutputPort> (std::move (device));
    return nullptr;
}
