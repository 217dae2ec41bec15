#include "midi/MIDI_Clock.h"

#include <cmath>

namespace
{
long long roundHalfUp (double x) { return (long long) std::floor (x + 0.5); }

// The smallest i in [from, to) for which `holds` is true, given that it holds for every i from
// some point on (a monotone condition); `to` when it never holds. Starts from an arithmetic guess
// and settles by testing the condition itself, so the answer is exactly the per-sample one.
template <typename Condition>
int firstWhere (int from, int to, double guess, Condition&& holds)
{
    if (from >= to)
        return to;

    auto i = (int) juce::jlimit ((double) from, (double) to, std::ceil (guess));
    while (i > from && holds (i - 1))
        --i;
    while (i < to && ! holds (i))
        ++i;
    return i;
}
}

MIDI_Clock::MIDI_Clock()
    : timingClock (juce::MidiMessage::midiClock()),
      continueMessage (juce::MidiMessage::midiContinue()),
      stopMessage (juce::MidiMessage::midiStop())
{
}

void MIDI_Clock::addSongPosition (juce::MidiBuffer& buffer, double quarterNotes) const
{
    const auto v = (int) std::ceil (4.0 * quarterNotes);
    const juce::uint8 bytes[] = { 0xF2, (juce::uint8) (v & 0x7F), (juce::uint8) ((v >> 7) & 0x7F) };
    buffer.addEvent (bytes, 3, 0);
}

void MIDI_Clock::generate (const Position& position, juce::MidiBuffer& buffer, int numSamples, double sampleRate)
{
    const auto bpm = position.bpm;
    if (bpm <= 0.0 || sampleRate <= 0.0 || numSamples <= 0)
        return;

    const auto bps = bpm / 60.0 / sampleRate;
    const auto p = position.ppqPosition;
    const auto w = sampleRate * tolerance * bps;
    const auto moved = p < lastPosition - w || p > lastPosition + w;

    if (! position.isPlaying && ! position.isRecording)
    {
        if (wasPlaying || moved)
        {
            buffer.addEvent (stopMessage, 0);
            addSongPosition (buffer, p);
        }

        lastPosition = p;
        continuePending = true;
        stoppedAtLoopEnd = false;
        wasPlaying = false;
        return;
    }

    if (! wasPlaying)
    {
        nextStart = std::ceil (4.0 * p) / 4.0;
        if (moved)
            addSongPosition (buffer, nextStart);
    }
    else if (moved)
    {
        nextStart = std::ceil (4.0 * p) / 4.0;
        if (! continuePending && ! stoppedAtLoopEnd)
            buffer.addEvent (stopMessage, 0);
        addSongPosition (buffer, p);
        continuePending = true;
        stoppedAtLoopEnd = false;
    }

    // What a sample-by-sample walk through the block would add, found by arithmetic.
    const auto samplesPerQuarter = 60.0 / bpm * sampleRate;
    const auto k = (long long) std::llround (sampleRate * 60.0 / (bpm * 24.0));
    const auto s = roundHalfUp (60.0 / bpm * p * sampleRate);
    const auto positionAt = [&] (int i) { return p + i * bps; };

    const auto started = firstWhere (0, numSamples, (nextStart - p) / bps,
                                     [&] (int i) { return positionAt (i) >= nextStart; });

    if (started < numSamples && continuePending)
    {
        buffer.addEvent (continueMessage, started);
        continuePending = false;
    }

    const auto looping = position.isLooping && position.ppqLoopEnd != position.ppqLoopStart;
    if (started < numSamples && looping && stopAfterLoop && ! stoppedAtLoopEnd && k > 0)
    {
        const auto loopEnd = position.ppqLoopEnd;
        const auto within = [&] (int i)
        {
            return roundHalfUp (std::abs (loopEnd - positionAt (i)) * samplesPerQuarter) <= k;
        };

        // The samples within k of the loop end form one run; the stop goes on its first sample.
        const auto reach = ((double) k + 0.5) / samplesPerQuarter;
        auto i = (int) juce::jlimit ((double) started, (double) numSamples, std::floor ((loopEnd - reach - p) / bps));
        while (i > started && within (i - 1))
            --i;
        while (i < numSamples && ! within (i) && positionAt (i) < loopEnd)
            ++i;

        if (i < numSamples && within (i))
        {
            buffer.addEvent (stopMessage, i);
            stoppedAtLoopEnd = true;
        }
    }

    if (enabled && k > 0)
    {
        auto first = (long long) ((-s) % k);
        if (first < 0)
            first += k;

        for (auto i = first; i < numSamples; i += k)
            buffer.addEvent (timingClock, (int) i);
    }

    lastPosition = positionAt (numSamples - 1);
    wasPlaying = true;
}
