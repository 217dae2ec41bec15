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
    // The pointer holds 14 bits of sixteenths: a position beyond them (or before the song) wraps,
    // taken in doubles so that no position is too far out for an integer.
    auto wrapped = std::fmod (std::ceil (4.0 * quarterNotes), 16384.0);
    if (wrapped < 0.0)
        wrapped += 16384.0;
    const auto v = (int) wrapped;
    const juce::uint8 bytes[] = { 0xF2, (juce::uint8) (v & 0x7F), (juce::uint8) ((v >> 7) & 0x7F) };
    buffer.addEvent (bytes, 3, 0);
}

void MIDI_Clock::generate (const Position& position, juce::MidiBuffer& buffer, int numSamples, double sampleRate)
{
    const auto bpm = position.bpm;
    const auto p = position.ppqPosition;

    // Sample counts below are taken as whole numbers from doubles. A transport that cannot be
    // counted that way (a tempo, rate or position that is no number, a quarter note shorter than
    // a sample, a place more than 2^52 samples from the song's start) gets no clock, like a
    // tempo of zero: a host may report any of these.
    constexpr double countable = 4503599627370496.0; // 2^52
    const auto samplesPerQuarter = 60.0 / bpm * sampleRate;
    const auto songSamples = 60.0 / bpm * p * sampleRate;
    if (numSamples <= 0 || ! (bpm > 0.0) || ! (sampleRate > 0.0) || ! std::isfinite (p)
        || ! (samplesPerQuarter >= 1.0 && samplesPerQuarter <= countable)
        || ! (std::abs (songSamples) <= countable && std::abs (p) * samplesPerQuarter <= countable))
        return;

    const auto bps = bpm / 60.0 / sampleRate;
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
    const auto samplesPerTick = sampleRate * 60.0 / (bpm * 24.0);
    const auto k = std::isfinite (samplesPerTick) ? (long long) std::llround (samplesPerTick) : 0LL;
    // Ticks fall where the song's sample count is a multiple of k. Counted afresh from each
    // block's position, a position that lies half a sample off the grid (or drifts there by
    // rounding) could shift the count by one at a block's start, and a tick would go out twice
    // or not at all; while the host plays on within a sample of where the last block ended, the
    // count goes on from there instead.
    auto s = roundHalfUp (songSamples);
    if (wasPlaying && std::abs (songSamples - (double) nextSongSample) < 1.0)
        s = nextSongSample;
    const auto positionAt = [&] (int i) { return p + i * bps; };

    const auto started = firstWhere (0, numSamples, (nextStart - p) / bps,
                                     [&] (int i) { return positionAt (i) >= nextStart; });

    if (started < numSamples && continuePending)
    {
        buffer.addEvent (continueMessage, started);
        continuePending = false;
    }

    // A loop end that cannot be counted like the position is no loop the clock can stop before.
    const auto looping = position.isLooping && position.ppqLoopEnd != position.ppqLoopStart
                      && std::abs (position.ppqLoopEnd) * samplesPerQuarter <= countable;
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
    nextSongSample = s + numSamples;
    wasPlaying = true;
}
