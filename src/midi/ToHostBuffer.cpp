#include "midi/ToHostBuffer.h"

ToHostBuffer::ToHostBuffer() : origin (juce::Time::getMillisecondCounter())
{
    buffer.ensureSize (4096);
    scratch.ensureSize (4096);
}

void ToHostBuffer::add (const juce::MidiMessage& message, juce::uint32 nowMs)
{
    const auto now = stampOf (nowMs);
    buffer.addEvent (message, now);

    const auto oldest = now - maximumAgeMs;
    if (buffer.getFirstEventTime() < oldest)
    {
        scratch.clear();
        scratch.addEvents (buffer, oldest, -1, 0);
        buffer.swapWith (scratch);
    }
}

void ToHostBuffer::moveInto (juce::MidiBuffer& host, int numSamples)
{
    if (buffer.isEmpty() || numSamples <= 0)
    {
        buffer.clear();
        return;
    }

    const auto t0 = buffer.getFirstEventTime();
    const auto t1 = buffer.getLastEventTime();
    const auto samplesPerMs = (double) numSamples / (double) (t1 - t0 + 1);

    for (const auto metadata : buffer)
    {
        const auto position = juce::roundToInt (samplesPerMs * (metadata.samplePosition - t0));
        host.addEvent (metadata.data, metadata.numBytes, juce::jlimit (0, numSamples - 1, position));
    }

    buffer.clear();
}
