#include "midi/VirtualMidiOutputPort.h"

VirtualMidiOutputPort::VirtualMidiOutputPort (std::shared_ptr<VirtualMidiEndpoint> target)
    : juce::Thread ("Virtual MIDI output"), device (std::move (target))
{
    pending.reserve (1024);
}

VirtualMidiOutputPort::~VirtualMidiOutputPort()
{
    stopBackgroundThread();
}

void VirtualMidiOutputPort::sendMessageNow (const juce::MidiMessage& message)
{
    device->receive (message);
}

void VirtualMidiOutputPort::sendBlockOfMessages (const juce::MidiBuffer& buffer, double startMs, double samplesPerSecond)
{
    {
        const juce::ScopedLock sl (lock);
        for (const auto metadata : buffer)
        {
            const auto time = startMs + 1000.0 * metadata.samplePosition / samplesPerSecond;
            const auto at = std::upper_bound (pending.begin(), pending.end(), time,
                                              [] (double t, const Pending& p) { return t < p.time; });
            pending.insert (at, { time, metadata.getMessage() });
        }
    }
    wake.signal();
}

void VirtualMidiOutputPort::clearAllPendingMessages()
{
    const juce::ScopedLock sl (lock);
    pending.clear();
}

void VirtualMidiOutputPort::startBackgroundThread()
{
    startThread();
}

void VirtualMidiOutputPort::stopBackgroundThread()
{
    signalThreadShouldExit();
    wake.signal();
    stopThread (2000);
}

void VirtualMidiOutputPort::run()
{
    std::vector<juce::MidiMessage> due;

    while (! threadShouldExit())
    {
        auto waitMs = 50.0;
        {
            const juce::ScopedLock sl (lock);
            const auto now = juce::Time::getMillisecondCounterHiRes();
            auto firstLater = std::find_if (pending.begin(), pending.end(), [now] (const Pending& p) { return p.time > now; });
            for (auto it = pending.begin(); it != firstLater; ++it)
                due.push_back (it->message);
            pending.erase (pending.begin(), firstLater);

            if (! pending.empty())
                waitMs = juce::jlimit (0.0, 50.0, pending.front().time - now);
        }

        for (const auto& message : due)
            device->receive (message);
        due.clear();

        if (waitMs > 0.0)
            wake.wait (juce::jmax (1, (int) waitMs));
    }
}
