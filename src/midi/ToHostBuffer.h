#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

/** Messages waiting for the host's MIDI output, stamped with the millisecond counter when they
    arrived. Not thread-safe by itself: the engine guards it with its lock. */
class ToHostBuffer
{
public:
    static constexpr int maximumAgeMs = 500;

    ToHostBuffer();

    /** Appends the message stamped nowMs and drops everything older than 500 ms before it. */
    void add (const juce::MidiMessage& message, juce::uint32 nowMs);

    /** Spreads the waiting messages over a block of numSamples by their stamps, appends them to
        the host's buffer and empties itself. */
    void moveInto (juce::MidiBuffer& host, int numSamples);

    void clear() noexcept { buffer.clear(); }
    bool isEmpty() const noexcept { return buffer.isEmpty(); }
    int getNumEvents() const noexcept { return buffer.getNumEvents(); }

private:
    int stampOf (juce::uint32 nowMs) const noexcept { return (int) (nowMs - origin); }

    juce::MidiBuffer buffer, scratch;
    const juce::uint32 origin; // stamps count from here, so they stay positive for weeks
};
